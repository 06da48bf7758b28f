// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The message panel's conversions: a message and the string of binary code
// groups that spells it, 7 or 8 digits per character.
namespace vantrel {

enum class BitMode { Seven = 7, Eight = 8 };

// Stands in place of the whole decoded message when the binary message is
// not valid: "!(Código no válido)" as a code text (ó is 243, á is 225).
inline constexpr std::string_view kInvalidCodeMarker = "!(C\xF3"
                                                       "digo no v\xE1"
                                                       "lido)";

// BinText: the code groups of the message's characters, joined with nothing
// between them. In 7-bit mode the digit of weight 128 is dropped.
[[nodiscard]] std::string binText(std::string_view message, BitMode mode);

struct DecodedMessage
{
    bool valid = false;
    std::string message; // a code text; the invalid-code marker when not valid
};

// HexaText: valid only when every character is "0" or "1". Groups are counted
// from the end, so a partial group at the start is ignored, and the message
// ends before the first group of value 0. At most maxCodes characters are
// decoded (what the message field can hold); the whole text is still checked.
[[nodiscard]] DecodedMessage hexaText(std::string_view binaryMessage, BitMode mode,
                                      std::size_t maxCodes = std::string_view::npos);

// HexaText of a text whose characters other than "0" and "1" are counted
// already (nonBinaryDigitCount): the count decides validity and only the
// groups that can show are read, so the cost does not grow with the text.
[[nodiscard]] DecodedMessage hexaTextCounted(std::string_view binaryMessage,
                                             std::size_t nonBinaryDigits, BitMode mode,
                                             std::size_t maxCodes);

// How many leading digits of a text of `length` digits hexaTextCounted
// reads: given only those (and the same count), it returns the same.
[[nodiscard]] std::size_t hexaTextCountedReads(std::size_t length, BitMode mode,
                                               std::size_t maxCodes);

} // namespace vantrel
