// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "readings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The binary/hexadecimal panel's conversions, for digit strings of any
// length. Both drop the leading zeros of their output.
namespace vantrel {

// Binario2: the four binary digits of one hexadecimal digit's value (0-15),
// the digit of weight 8 first.
[[nodiscard]] constexpr std::array<char, 4> binario2(unsigned value)
{
    return binaryDigits<4>(value);
}

// Reads groups of four digits, counted from the end, into capital
// hexadecimal digits. Fails when any character is not "0" or "1".
[[nodiscard]] std::optional<std::string> binaryToHex(std::string_view binary);

// The same conversion cut to a field that holds at most maxDigits characters:
// the first maxDigits digits are taken before the leading zeros are removed,
// so a result that begins with zeros shows fewer. Only the digits that can
// show are converted; the whole text is still validated.
[[nodiscard]] std::optional<std::string> binaryToHexCut(std::string_view binary,
                                                        std::size_t maxDigits);

// The same cut conversion of a text whose characters other than "0" and "1"
// are counted already (nonBinaryDigitCount): the count decides validity and
// only the digits that can show are read, so the cost does not grow with the
// text.
[[nodiscard]] std::optional<std::string>
binaryToHexCutCounted(std::string_view binary, std::size_t nonBinaryDigits, std::size_t maxDigits);

// How many leading digits of a text of `length` digits binaryToHexCutCounted
// reads: given only those (and the same count), it returns the same, so a
// caller that keeps the digits elsewhere need hand over no more.
[[nodiscard]] std::size_t binaryToHexCutReads(std::size_t length, std::size_t maxDigits);

// Writes four binary digits for every character: "0"-"9", "A"-"F" and
// "a"-"f" by their value, any other character as 0. Fails only for a
// non-empty text none of whose characters is a hexadecimal digit.
[[nodiscard]] std::optional<std::string> hexToBinary(std::string_view hex);

// The same four digits for every character with none dropped: the digits of
// a piece of a number after the number's start, whose zeros lead nothing.
[[nodiscard]] std::string fourBinaryDigitsEach(std::string_view hex);

} // namespace vantrel
