// SPDX-License-Identifier: GPL-3.0-or-later
// Binary/hexadecimal conversions, both ways, with their round trips.

#include "fuzz_check.h"
#include "hex_conversion.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

bool allOf(std::string_view text, std::string_view alphabet)
{
    return std::all_of(text.begin(), text.end(),
                       [alphabet](char c) { return alphabet.find(c) != std::string_view::npos; });
}

constexpr std::string_view kBinaryDigits = "01";
constexpr std::string_view kOutputHexDigits = "0123456789ABCDEF";
constexpr std::string_view kInputHexDigits = "0123456789ABCDEFabcdef";

bool noLeadingZero(std::string_view digits)
{
    return digits.size() <= 1 || digits.front() != '0';
}

// Digits without their leading zeros; "0" when nothing else is left.
std::string withoutLeadingZeros(std::string_view digits)
{
    if (digits.empty()) {
        return {};
    }
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 32) : c; });
    return upper;
}

void checkBinaryToHex(std::string_view text)
{
    const auto hex = vantrel::binaryToHex(text);
    FUZZ_CHECK(hex.has_value() == allOf(text, kBinaryDigits));
    if (!hex) {
        return;
    }
    FUZZ_CHECK(allOf(*hex, kOutputHexDigits));
    FUZZ_CHECK(noLeadingZero(*hex));
    FUZZ_CHECK(hex->size() == (text.size() + 3) / 4 || !noLeadingZero(text));
    const auto back = vantrel::hexToBinary(*hex);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(*back == withoutLeadingZeros(text));
}

void checkHexToBinary(std::string_view text)
{
    const auto binary = vantrel::hexToBinary(text);
    const bool accepted = text.empty() || std::any_of(text.begin(), text.end(), [](char c) {
                              return kInputHexDigits.find(c) != std::string_view::npos;
                          });
    FUZZ_CHECK(binary.has_value() == accepted);
    if (!binary) {
        return;
    }
    // The same digits as four for every character, the leading zeros gone.
    const std::string fourEach = vantrel::fourBinaryDigitsEach(text);
    FUZZ_CHECK(fourEach.size() == text.size() * 4);
    FUZZ_CHECK(withoutLeadingZeros(fourEach) == *binary);
    FUZZ_CHECK(allOf(*binary, kBinaryDigits));
    FUZZ_CHECK(noLeadingZero(*binary));
    FUZZ_CHECK(binary->size() <= text.size() * 4);
    if (allOf(text, kInputHexDigits)) {
        FUZZ_CHECK(vantrel::binaryToHex(*binary) == withoutLeadingZeros(upperCase(text)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    checkBinaryToHex(text);
    checkHexToBinary(text);
    return 0;
}
