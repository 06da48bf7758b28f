// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_conversion.h"

#include "binary_digits.h"
#include "readings.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vantrel {
namespace {

// The eight digits of every code, laid out as they are stored: first digit in
// the lowest byte. The 7-bit group of a code is the top seven of them.
constexpr std::array<std::uint64_t, 256> makeGroupTable()
{
    std::array<std::uint64_t, 256> table{};
    for (unsigned code = 0; code < 256; ++code) {
        const auto digits = eightDigitBinary(code);
        for (unsigned i = 0; i < 8; ++i) {
            table[code] |= std::uint64_t{static_cast<unsigned char>(digits[i])} << (8 * i);
        }
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> kEightDigitGroups = makeGroupTable();

constexpr std::array<std::uint64_t, 256> makeSevenDigitTable()
{
    std::array<std::uint64_t, 256> table{};
    for (unsigned code = 0; code < 256; ++code) {
        table[code] = kEightDigitGroups[code] >> 8;
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> kSevenDigitGroups = makeSevenDigitTable();

std::string encodeEightBit(std::string_view message)
{
    std::string binary(message.size() * 8, '\0');
    char *out = binary.data();
    for (const char c : message) {
        detail::storeBytes(out, kEightDigitGroups[static_cast<unsigned char>(c)], 8);
        out += 8;
    }
    return binary;
}

std::string encodeSevenBit(std::string_view message)
{
    std::string binary(message.size() * 7, '\0');
    if (message.empty()) {
        return binary;
    }
    // Each group is stored as a full word whose eighth byte the next group
    // overwrites; the last group is stored in seven bytes.
    char *out = binary.data();
    const auto group = [&message](std::size_t i) {
        return kSevenDigitGroups[static_cast<unsigned char>(message[i])];
    };
    const std::size_t last = message.size() - 1;
    std::size_t i = 0;
    for (; i + 4 <= last; i += 4, out += 28) {
        detail::storeBytes(out, group(i));
        detail::storeBytes(out + 7, group(i + 1));
        detail::storeBytes(out + 14, group(i + 2));
        detail::storeBytes(out + 21, group(i + 3));
    }
    for (; i < last; ++i, out += 7) {
        detail::storeBytes(out, group(i));
    }
    detail::storeBytes(out, group(last), 7);
    return binary;
}

// Decodes up to maxCodes groups, until the first zero group; the text holds
// only digits and starts with a whole group.
template <std::size_t Width, typename Pack>
std::string decodeGroups(std::string_view digits, std::size_t maxCodes, Pack pack)
{
    const std::size_t groups = std::min(digits.size() / Width, maxCodes);
    std::string message(groups, '\0');
    for (std::size_t g = 0; g < groups; ++g) {
        const std::uint8_t code = pack(detail::loadBytes(digits.data() + g * Width, Width));
        if (code == 0) {
            message.resize(g);
            break;
        }
        message[g] = static_cast<char>(code);
    }
    return message;
}

} // namespace

std::string binText(std::string_view message, BitMode mode)
{
    return mode == BitMode::Seven ? encodeSevenBit(message) : encodeEightBit(message);
}

DecodedMessage hexaText(std::string_view binaryMessage, BitMode mode, std::size_t maxCodes)
{
    if (!detail::allBinaryDigits(binaryMessage)) {
        return {false, std::string(kInvalidCodeMarker)};
    }
    const auto width = static_cast<std::size_t>(mode);
    const std::string_view wholeGroups = binaryMessage.substr(binaryMessage.size() % width);
    if (mode == BitMode::Seven) {
        return {true, decodeGroups<7>(wholeGroups, maxCodes, detail::packSevenDigits)};
    }
    return {true, decodeGroups<8>(wholeGroups, maxCodes, detail::packEightDigits)};
}

} // namespace vantrel
