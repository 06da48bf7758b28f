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

// A code text holds one code per char. A UTF-16 surrogate pair is one
// character (code 63); a lone surrogate is also code 63.
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
