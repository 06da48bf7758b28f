#pragma once

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

} // namespace vantrel::codepage
