// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_conversion.h"

#include "binary_digits.h"

#include <cstdint>
#include <cstring>

namespace vantrel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kNotHex = -1;

constexpr std::array<std::int8_t, 256> makeHexValueTable()
{
    std::array<std::int8_t, 256> table{};
    for (auto &value : table) {
        value = kNotHex;
    }
    for (int i = 0; i < 16; ++i) {
        table[static_cast<unsigned char>(kHexDigits[i])] = static_cast<std::int8_t>(i);
    }
    for (int i = 10; i < 16; ++i) {
        table[static_cast<unsigned char>('a' + i - 10)] = static_cast<std::int8_t>(i);
    }
    return table;
}

constexpr std::array<std::int8_t, 256> kHexValue = makeHexValueTable();

// Binario2's four digits for every character, a character outside the
// hexadecimal digits counting as 0.
constexpr std::array<std::array<char, 4>, 256> makeFourDigitTable()
{
    std::array<std::array<char, 4>, 256> table{};
    for (unsigned c = 0; c < 256; ++c) {
        table[c] = binario2(kHexValue[c] == kNotHex ? 0 : static_cast<unsigned>(kHexValue[c]));
    }
    return table;
}

constexpr std::array<std::array<char, 4>, 256> kFourDigits = makeFourDigitTable();

// The two hexadecimal digits of every byte.
constexpr std::array<std::array<char, 2>, 256> makeByteDigitTable()
{
    std::array<std::array<char, 2>, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = {kHexDigits[byte >> 4], kHexDigits[byte & 15]};
    }
    return table;
}

constexpr std::array<std::array<char, 2>, 256> kByteDigits = makeByteDigitTable();

unsigned hexValue(char c)
{
    const int value = kHexValue[static_cast<unsigned char>(c)];
    return value == kNotHex ? 0 : static_cast<unsigned>(value);
}

// Value of up to eight binary digits.
unsigned valueOfDigits(std::string_view digits)
{
    unsigned value = 0;
    for (const char digit : digits) {
        value = value * 2 + static_cast<unsigned>(digit - '0');
    }
    return value;
}

// Converts a text already known to hold only binary digits.
std::string convertBinaryDigits(std::string_view binary)
{
    if (binary.empty()) {
        return std::string();
    }
    const std::size_t firstOne = binary.find('1');
    if (firstOne == std::string_view::npos) {
        return std::string("0");
    }
    // Without its leading zeros the text gives no leading zero digit; the
    // groups still end at its last character.
    const std::string_view significant = binary.substr(firstOne);
    const std::size_t headLength = significant.size() % 4;
    std::string hex((significant.size() + 3) / 4, '\0');
    char *out = hex.data();
    const char *in = significant.data();
    const char *end = in + significant.size();
    if (headLength != 0) {
        *out++ = kHexDigits[valueOfDigits({in, headLength})];
        in += headLength;
    }
    for (; end - in >= 8; in += 8, out += 2) {
        std::memcpy(out, kByteDigits[detail::packEightDigits(detail::loadBytes(in))].data(), 2);
    }
    if (in != end) {
        *out = kHexDigits[valueOfDigits({in, 4})];
    }
    return hex;
}

} // namespace

std::optional<std::string> binaryToHex(std::string_view binary)
{
    if (!detail::allBinaryDigits(binary)) {
        return std::nullopt;
    }
    return convertBinaryDigits(binary);
}

std::optional<std::string> binaryToHexCut(std::string_view binary, std::size_t maxDigits)
{
    if (!detail::allBinaryDigits(binary)) {
        return std::nullopt;
    }
    const std::size_t padding = (4 - binary.size() % 4) % 4;
    const std::size_t digits = (binary.size() + padding) / 4;
    if (digits <= maxDigits) {
        return convertBinaryDigits(binary);
    }
    if (maxDigits == 0) {
        return std::string();
    }
    // The kept digits come from the first groups of the padded text; a prefix
    // that long pads the same way, since the cut falls on a group boundary.
    return convertBinaryDigits(binary.substr(0, maxDigits * 4 - padding));
}

std::optional<std::string> hexToBinary(std::string_view hex)
{
    std::size_t firstNonZero = 0;
    while (firstNonZero < hex.size() && hexValue(hex[firstNonZero]) == 0) {
        ++firstNonZero;
    }
    if (firstNonZero == hex.size()) {
        // Only zeros and characters outside the table: accepted as long as
        // some "0" stands among them.
        if (hex.empty()) {
            return std::string();
        }
        if (hex.find('0') == std::string_view::npos) {
            return std::nullopt;
        }
        return std::string("0");
    }
    const auto headDigits = binario2(hexValue(hex[firstNonZero]));
    std::size_t headStart = 0;
    while (headDigits[headStart] == '0') {
        ++headStart;
    }
    const std::string_view rest = hex.substr(firstNonZero + 1);
    std::string binary((4 - headStart) + rest.size() * 4, '\0');
    char *out = binary.data();
    std::memcpy(out, headDigits.data() + headStart, 4 - headStart);
    out += 4 - headStart;
    for (const char c : rest) {
        std::memcpy(out, kFourDigits[static_cast<unsigned char>(c)].data(), 4);
        out += 4;
    }
    return binary;
}

} // namespace vantrel
