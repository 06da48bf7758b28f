#include "codepage.h"

#include <array>

namespace vantrel::codepage {
namespace {

// Unicode characters of codes 128-159; the rest of the upper half is Latin-1.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> makeUnicodeTable()
{
    std::array<char16_t, 256> table{};
    for (unsigned code = 0; code < 256; ++code) {
        table[code] = static_cast<char16_t>(code);
    }
    for (unsigned i = 0; i < kHighControlBlock.size(); ++i) {
        table[128 + i] = kHighControlBlock[i];
    }
    return table;
}

constexpr std::array<char16_t, 256> kUnicodeOfCode = makeUnicodeTable();

bool isSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}
bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

char32_t unicodeOfCode(unsigned char code)
{
    return kUnicodeOfCode[code];
}

unsigned char codeOfUnicode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (unsigned i = 0; i < kHighControlBlock.size(); ++i) {
        if (kHighControlBlock[i] == character) {
            return static_cast<unsigned char>(128 + i);
        }
    }
    return kUnknownCode;
}

std::string codeTextFromUtf16(std::u16string_view text)
{
    std::string codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            codes.push_back(static_cast<char>(unit));
        } else if (!isSurrogate(unit)) {
            codes.push_back(static_cast<char>(codeOfUnicode(unit)));
        } else {
            if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
                ++i; // the pair is a single character
            }
            codes.push_back(static_cast<char>(kUnknownCode));
        }
    }
    return codes;
}

std::u16string utf16FromCodeText(std::string_view codeText)
{
    std::u16string text(codeText.size(), u'\0');
    for (std::size_t i = 0; i < codeText.size(); ++i) {
        text[i] = kUnicodeOfCode[static_cast<unsigned char>(codeText[i])];
    }
    return text;
}

} // namespace vantrel::codepage
