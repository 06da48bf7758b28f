// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's 8-bit character set: Windows-1252. Codes 0-127 are ASCII,
// 128-255 are Windows-1252's characters, and the five codes Windows-1252
// leaves undefined (129, 141, 143, 144, 157) stand for the Unicode
// characters with the same number. A character outside the set gets code 63
// ("?"), with no best-fit guessing.
namespace vantrel::codepage {

inline constexpr unsigned char kUnknownCode = 63;

[[nodiscard]] char32_t unicodeOfCode(unsigned char code);
[[nodiscard]] unsigned char codeOfUnicode(char32_t character);

[[nodiscard]] constexpr bool isSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}
[[nodiscard]] constexpr bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
[[nodiscard]] constexpr bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One character of a UTF-16 text: its code and how many units it takes.
struct Utf16Character
{
    unsigned char code;
    std::size_t units;
};

// The character that starts at text[at]. A surrogate pair is one character
// outside the set (code 63, two units); a lone surrogate is code 63 too.
// Inline: the fields convert pastes of millions of units with it.
[[nodiscard]] inline Utf16Character utf16CharacterAt(std::u16string_view text, std::size_t at)
{
    const char16_t unit = text[at];
    if (!isSurrogate(unit)) {
        return {unit < 0x80 ? static_cast<unsigned char>(unit) : codeOfUnicode(unit), 1};
    }
    const bool pair = isHighSurrogate(unit) && at + 1 < text.size() && isLowSurrogate(text[at + 1]);
    return {kUnknownCode, pair ? std::size_t{2} : std::size_t{1}};
}

// A code text holds one code per char, each character as utf16CharacterAt
// reads it.
[[nodiscard]] std::string codeTextFromUtf16(std::u16string_view text);
[[nodiscard]] std::u16string utf16FromCodeText(std::string_view codeText);

// UTF-8 at the edges of the command-line program. Bytes that are not UTF-8
// give one code 63 for each maximal ill-formed subpart, where a decoder would
// put one U+FFFD.
[[nodiscard]] std::string codeTextFromUtf8(std::string_view utf8);
[[nodiscard]] std::string utf8FromCodeText(std::string_view codeText);

// True when every byte is below 128: such UTF-8 is its own code text.
[[nodiscard]] bool isAscii(std::string_view text);

// How many bytes at the end of a chunk begin a UTF-8 sequence that the chunk
// cuts (0 to 3). Holding them back for the next chunk makes a text decoded
// chunk by chunk read as the whole text does.
[[nodiscard]] std::size_t utf8CutSequenceLength(std::string_view utf8);

} // namespace vantrel::codepage
