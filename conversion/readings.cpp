// SPDX-License-Identifier: GPL-3.0-or-later
#include "readings.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vantrel {
namespace {

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int radixDigitValue(char c, int radix)
{
    int value = radix;
    if (isDecimalDigit(c)) {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < radix ? value : -1;
}

// "&H" or "&O" (either case) at the start of a text gives its radix.
std::optional<int> radixPrefix(std::string_view text)
{
    if (text.size() < 2 || text[0] != '&') {
        return std::nullopt;
    }
    switch (text[1]) {
    case 'H':
    case 'h':
        return 16;
    case 'O':
    case 'o':
        return 8;
    default:
        return std::nullopt;
    }
}

struct RadixScan
{
    double value = 0;
    std::size_t digitCount = 0;
};

// Reads digits of the radix from the start of the text, stopping at the first
// character that is not one.
RadixScan scanRadixDigits(std::string_view digits, int radix)
{
    RadixScan scan;
    for (const char c : digits) {
        const int digit = radixDigitValue(c, radix);
        if (digit < 0) {
            break;
        }
        scan.value = scan.value * radix + digit;
        ++scan.digitCount;
    }
    return scan;
}

struct DecimalScan
{
    double value = 0;
    std::size_t length = 0; // characters that form the number; 0 when none do
};

// Reads sign, digits, fraction and exponent from the start of the text. An
// exponent letter counts only when digits follow it.
DecimalScan scanDecimal(std::string_view text)
{
    std::size_t pos = 0;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }

    // The mantissa goes to from_chars without sign; the exponent is kept
    // apart so that an out-of-range result can be told overflow or underflow.
    std::string mantissa;
    int magnitude = 0; // decimal position of the first significant digit
    bool seenNonZero = false;
    bool inFraction = false;
    std::size_t mantissaDigits = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.' && !inFraction) {
            inFraction = true;
        } else if (isDecimalDigit(c)) {
            ++mantissaDigits;
            if (c != '0') {
                seenNonZero = true;
            }
            if (!inFraction && seenNonZero) {
                ++magnitude;
            } else if (inFraction && !seenNonZero) {
                --magnitude;
            }
        } else {
            break;
        }
        mantissa.push_back(c);
    }
    if (mantissaDigits == 0) {
        return {};
    }

    std::int64_t exponent = 0;
    if (pos < text.size() &&
        (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        std::size_t exponentPos = pos + 1;
        const bool negativeExponent = exponentPos < text.size() && text[exponentPos] == '-';
        if (exponentPos < text.size() && (text[exponentPos] == '+' || text[exponentPos] == '-')) {
            ++exponentPos;
        }
        const std::size_t exponentDigitsStart = exponentPos;
        constexpr std::int64_t kSaturated = 1'000'000'000;
        while (exponentPos < text.size() && isDecimalDigit(text[exponentPos])) {
            exponent = std::min(kSaturated, exponent * 10 + (text[exponentPos] - '0'));
            ++exponentPos;
        }
        if (exponentPos > exponentDigitsStart) {
            exponent = negativeExponent ? -exponent : exponent;
            pos = exponentPos;
        } else {
            exponent = 0;
        }
    }

    double value = 0;
    if (seenNonZero) {
        mantissa += 'e';
        mantissa += std::to_string(exponent);
        const auto result =
            std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return {negative ? -value : value, pos};
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Rounds to the nearest whole number, a half going to the even neighbour.
double roundHalfToEven(double value)
{
    const double rounded = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        return 2.0 * std::round(value / 2.0);
    }
    return rounded;
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact.push_back(c);
        }
    }
    const std::string_view number = compact;
    if (const auto radix = radixPrefix(number)) {
        return scanRadixDigits(number.substr(2), *radix).value;
    }
    return scanDecimal(number).value;
}

std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    const std::string_view number = trimBlanks(text);
    double value = 0;
    if (const auto radix = radixPrefix(number)) {
        const std::string_view digits = number.substr(2);
        const RadixScan scan = scanRadixDigits(digits, *radix);
        if (scan.digitCount == 0 || scan.digitCount != digits.size()) {
            return std::nullopt;
        }
        value = scan.value;
    } else {
        const DecimalScan scan = scanDecimal(number);
        if (scan.length == 0 || scan.length != number.size()) {
            return std::nullopt;
        }
        value = roundHalfToEven(scan.value);
    }
    if (!(value >= std::numeric_limits<std::int32_t>::min() &&
          value <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<char> characterOfCode(std::int64_t code)
{
    if (code < 0 || code > 255) {
        return std::nullopt;
    }
    return static_cast<char>(static_cast<unsigned char>(code));
}

} // namespace vantrel
