// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How the converter reads numbers and characters out of code texts.
namespace vantrel {

// Reads the number at the start of a text and ignores what follows. Blanks
// (space, tab, line feed) are removed wherever they stand; "&H"/"&O" start a
// hexadecimal or octal number, otherwise a decimal number with an optional
// sign, fraction and "E"/"D" exponent is read. A text with no number reads 0.
[[nodiscard]] double leadingNumber(std::string_view text);

// Reads a whole text (blanks allowed only around it) as one number rounded
// half to even, or fails: when the text is not a number or the value does
// not fit in 32 bits.
[[nodiscard]] std::optional<std::int32_t> wholeNumber(std::string_view text);

// The one-character code text of a code from 0 to 255; other values fail.
[[nodiscard]] std::optional<char> characterOfCode(std::int64_t code);

// The `Count` binary digits of a value, most significant first, found by
// taking away the weights 2^(Count-1)..1 in turn: a fraction is left over, so
// 1.5 gives "...01". Meant for 0 <= value < 2^Count.
template <std::size_t Count, typename Number>
[[nodiscard]] constexpr std::array<char, Count> binaryDigits(Number value)
{
    std::array<char, Count> digits{};
    Number remaining = value;
    auto weight = static_cast<Number>(std::uint64_t{1} << (Count - 1));
    for (char &digit : digits) {
        digit = remaining >= weight ? '1' : '0';
        if (remaining >= weight) {
            remaining -= weight;
        }
        weight /= 2;
    }
    return digits;
}

// The eight binary digits of a code, fraction and all.
[[nodiscard]] constexpr std::array<char, 8> eightDigitBinary(double value)
{
    return binaryDigits<8>(value);
}

[[nodiscard]] inline std::string eightDigitBinaryText(double value)
{
    const auto digits = eightDigitBinary(value);
    return {digits.begin(), digits.end()};
}

} // namespace vantrel
