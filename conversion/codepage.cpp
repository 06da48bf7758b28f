// SPDX-License-Identifier: GPL-3.0-or-later
#include "codepage.h"

#include <array>
#include <cstdint>
#include <cstring>

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

// The UTF-8 bytes of every code's character, at most three.
struct Utf8Bytes
{
    std::array<char, 3> bytes{};
    std::size_t length = 0;
};

constexpr Utf8Bytes utf8BytesOf(char32_t character)
{
    if (character < 0x80) {
        return {{static_cast<char>(character)}, 1};
    }
    if (character < 0x800) {
        return {{static_cast<char>(0xC0 | (character >> 6)),
                 static_cast<char>(0x80 | (character & 0x3F))},
                2};
    }
    return {{static_cast<char>(0xE0 | (character >> 12)),
             static_cast<char>(0x80 | ((character >> 6) & 0x3F)),
             static_cast<char>(0x80 | (character & 0x3F))},
            3};
}

constexpr std::array<Utf8Bytes, 256> makeUtf8Table()
{
    std::array<Utf8Bytes, 256> table{};
    for (unsigned code = 0; code < 256; ++code) {
        table[code] = utf8BytesOf(kUnicodeOfCode[code]);
    }
    return table;
}

constexpr std::array<Utf8Bytes, 256> kUtf8OfCode = makeUtf8Table();

// Length of the run of ASCII bytes at the start of a text. Blocks of eight
// words are tested once each, which compilers turn into vector code; the
// block that ends the run is walked a word, then a byte, at a time.
std::size_t asciiRunLength(std::string_view text)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr std::size_t kBlock = 64;
    std::size_t length = 0;
    for (; length + kBlock <= text.size(); length += kBlock) {
        std::uint64_t highBits = 0;
        for (std::size_t at = length; at < length + kBlock; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + at, 8);
            highBits |= word & kHighBits;
        }
        if (highBits != 0) {
            break;
        }
    }
    for (; length + 8 <= text.size(); length += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + length, 8);
        if ((word & kHighBits) != 0) {
            break;
        }
    }
    while (length < text.size() && static_cast<unsigned char>(text[length]) < 0x80) {
        ++length;
    }
    return length;
}

// Copies the run of ASCII bytes that starts at `at`, the same in a code text
// and in UTF-8, and moves `at` and `out` past it.
void copyAsciiRun(std::string_view text, std::size_t &at, char *&out)
{
    const std::size_t length = asciiRunLength(text.substr(at));
    std::memcpy(out, text.data() + at, length);
    out += length;
    at += length;
}

// One step of UTF-8 decoding at `at`. An ill-formed sequence is as long as
// its maximal subpart: the lead byte and the continuation bytes that could
// still have made a character.
struct Utf8Step
{
    char32_t character = 0;
    std::size_t length = 1;
    bool wellFormed = false;
    bool cutByEnd = false; // ill-formed only because the text ends
};

Utf8Step readUtf8(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1, true, false};
    }
    std::size_t continuations = 0;
    char32_t value = 0;
    // The second byte's range excludes overlong forms, surrogates and
    // values above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        value = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        value = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {};
    }
    std::size_t length = 1;
    for (; length <= continuations; ++length) {
        if (at + length == text.size()) {
            return {0, length, false, true};
        }
        const auto byte = static_cast<unsigned char>(text[at + length]);
        if (byte < low || byte > high) {
            return {0, length, false, false};
        }
        value = (value << 6) | (byte & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {value, length, true, false};
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
    for (std::size_t i = 0; i < text.size();) {
        const Utf16Character character = utf16CharacterAt(text, i);
        codes.push_back(static_cast<char>(character.code));
        i += character.units;
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

std::string codeTextFromUtf8(std::string_view utf8)
{
    std::string codes(utf8.size(), '\0'); // never more codes than bytes
    char *out = codes.data();
    std::size_t at = 0;
    while (at < utf8.size()) {
        copyAsciiRun(utf8, at, out);
        if (at == utf8.size()) {
            break;
        }
        const Utf8Step step = readUtf8(utf8, at);
        *out++ = static_cast<char>(step.wellFormed ? codeOfUnicode(step.character) : kUnknownCode);
        at += step.length;
    }
    codes.resize(static_cast<std::size_t>(out - codes.data()));
    return codes;
}

std::string utf8FromCodeText(std::string_view codeText)
{
    // Every code takes one byte, plus one or two for the characters beyond ASCII.
    std::size_t length = codeText.size();
    for (std::size_t at = asciiRunLength(codeText); at < codeText.size();
         at += 1 + asciiRunLength(codeText.substr(at + 1))) {
        length += kUtf8OfCode[static_cast<unsigned char>(codeText[at])].length - 1;
    }
    std::string utf8(length, '\0');
    char *out = utf8.data();
    std::size_t at = 0;
    while (at < codeText.size()) {
        copyAsciiRun(codeText, at, out);
        for (; at < codeText.size() && static_cast<unsigned char>(codeText[at]) >= 0x80; ++at) {
            const Utf8Bytes &bytes = kUtf8OfCode[static_cast<unsigned char>(codeText[at])];
            std::memcpy(out, bytes.bytes.data(), bytes.length);
            out += bytes.length;
        }
    }
    return utf8;
}

bool isAscii(std::string_view text)
{
    return asciiRunLength(text) == text.size();
}

std::size_t utf8CutSequenceLength(std::string_view utf8)
{
    const std::size_t first = utf8.size() < 3 ? 0 : utf8.size() - 3;
    for (std::size_t at = first; at < utf8.size(); ++at) {
        if (static_cast<unsigned char>(utf8[at]) >= 0xC0 && readUtf8(utf8, at).cutByEnd) {
            return utf8.size() - at;
        }
    }
    return 0;
}

} // namespace vantrel::codepage
