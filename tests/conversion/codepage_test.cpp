// SPDX-License-Identifier: GPL-3.0-or-later
#include "codepage.h"

#include <gtest/gtest.h>

namespace vantrel::codepage {
namespace {

TEST(CodepageTest, EveryCodeRoundTripsThroughUnicode)
{
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<unsigned char>(code);
        ASSERT_EQ(codeOfUnicode(unicodeOfCode(c)), c) << code;
    }
}

TEST(CodepageTest, MapsWindows1252Characters)
{
    const std::pair<char32_t, unsigned char> cases[] = {
        {U'A', 65},     {U'\0', 0},  {U'\x7F', 127}, {U'€', 128},     {U'\x81', 129},
        {U'‚', 130},    {U'ƒ', 131}, {U'\x8D', 141}, {U'Ž', 142},     {U'\x8F', 143},
        {U'\x90', 144}, {U'‘', 145}, {U'™', 153},    {U'\x9D', 157},  {U'Ÿ', 159},
        {U'\xA0', 160}, {U'é', 233}, {U'ÿ', 255},    {U'\x80', 63},   {U'\x9F', 63},
        {U'Ā', 63},     {U'中', 63}, {U'😀', 63},     {U'\xFFFD', 63},
    };
    for (const auto &[unicode, code] : cases) {
        SCOPED_TRACE(static_cast<unsigned>(unicode));
        EXPECT_EQ(codeOfUnicode(unicode), code);
    }
}

TEST(CodepageTest, Utf16TextsConvertCharacterByCharacter)
{
    const std::pair<std::u16string_view, std::string_view> cases[] = {
        {u"", ""},
        {u"Año €", "A\xF1o \x80"},
        {u"a😀b", "a?b"}, // one character outside the plane, one code
        {u"a\xD800"
         "b",
         "a?b"},          // a lone high surrogate
        {u"\xDC00", "?"}, // a lone low surrogate
        {u"\xD800", "?"}, // a high surrogate at the end
        {u"\r\n", "\r\n"},
    };
    for (const auto &[utf16, codes] : cases) {
        EXPECT_EQ(codeTextFromUtf16(utf16), codes);
    }
    std::string all;
    for (int code = 0; code < 256; ++code) {
        all.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(codeTextFromUtf16(utf16FromCodeText(all)), all);
}

// Every UTF-16 unit, alone and before each kind of unit: a unit that is no
// surrogate is one character with the code codeOfUnicode gives it, a high
// surrogate before a low one is one character (63) of two units, and any
// other surrogate is one character (63) of its own.
TEST(CodepageTest, EveryUtf16UnitReadsAsOneCharacter)
{
    const char16_t nextUnits[] = {u'A', u'\xE9', 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFFFF};
    for (unsigned value = 0; value <= 0xFFFF; ++value) {
        const auto unit = static_cast<char16_t>(value);
        const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
        const unsigned char code = surrogate ? kUnknownCode : codeOfUnicode(value);
        const std::u16string alone(1, unit);
        const Utf16Character single = utf16CharacterAt(alone, 0);
        ASSERT_EQ(single.code, code) << value;
        ASSERT_EQ(single.units, 1U) << value;
        for (const char16_t next : nextUnits) {
            const bool pair =
                value >= 0xD800 && value <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF;
            const std::u16string text{unit, next};
            const Utf16Character first = utf16CharacterAt(text, 0);
            ASSERT_EQ(first.code, code) << value << " " << unsigned(next);
            ASSERT_EQ(first.units, pair ? 2U : 1U) << value << " " << unsigned(next);
            const std::string expected =
                pair ? std::string(1, '?')
                     : std::string{static_cast<char>(code),
                                   static_cast<char>(utf16CharacterAt(text, 1).code)};
            ASSERT_EQ(codeTextFromUtf16(text), expected) << value << " " << unsigned(next);
        }
    }
}

TEST(CodepageTest, Utf8TextsConvertCharacterByCharacter)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {"A\xC3\xB1o \xE2\x82\xAC", "A\xF1o \x80"}, // Año €
        {"\xE2\x80\x9C\xC5\xB8", "\x93\x9F"},       // “Ÿ
        {"\xC2\x81\xC2\x9D", "\x81\x9D"},           // undefined in Windows-1252
        {"\xC2\x80", "?"},                          // U+0080 is not in the set
        {"a\xF0\x9F\x98\x80"
         "b",
         "a?b"},               // one character outside the plane
        {"\xE4\xB8\xAD", "?"}, // 中
        {std::string_view("\0\r\n", 3), std::string_view("\0\r\n", 3)},
    };
    for (const auto &[utf8, codes] : cases) {
        SCOPED_TRACE(std::string(utf8));
        EXPECT_EQ(codeTextFromUtf8(utf8), codes);
    }
}

TEST(CodepageTest, IllFormedUtf8GivesOneCodePerMaximalSubpart)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"\xC3", "?"}, // cut by the end
        {"\xC3"
         "A",
         "?A"},
        {"\xE2\x82", "?"},
        {"\xE2\x82"
         "A",
         "?A"},
        {"\xF0\x9F\x98"
         "A",
         "?A"},
        {"\x80\xBF", "??"},           // lone continuation bytes
        {"\xC0\xAF", "??"},           // overlong
        {"\xE0\x80\x80", "???"},      // overlong
        {"\xED\xA0\x80", "???"},      // a surrogate
        {"\xF4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\xFE\xFF", "??"},
        {"\xC3\xC3\xA9", "?\xE9"},
    };
    for (const auto &[utf8, codes] : cases) {
        SCOPED_TRACE(std::string(utf8));
        EXPECT_EQ(codeTextFromUtf8(utf8), codes);
    }
}

TEST(CodepageTest, CodesWriteAsTheirUtf8Characters)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {"Hola", "Hola"},
        {"\x80", "\xE2\x82\xAC"},
        {"\x81", "\xC2\x81"},
        {"\x99", "\xE2\x84\xA2"},
        {"\xE9\xFF", "\xC3\xA9\xC3\xBF"},
        {"!(C\xF3"
         "digo no v\xE1"
         "lido)",
         "!(C\xC3\xB3"
         "digo no v\xC3\xA1"
         "lido)"},
    };
    for (const auto &[codes, utf8] : cases) {
        SCOPED_TRACE(std::string(utf8));
        EXPECT_EQ(utf8FromCodeText(codes), utf8);
    }
    std::string all;
    for (int code = 0; code < 256; ++code) {
        all.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(codeTextFromUtf8(utf8FromCodeText(all)), all);
    EXPECT_EQ(codeTextFromUtf16(utf16FromCodeText(all)), all);
}

TEST(CodepageTest, AsciiTextIsItsOwnCodeText)
{
    const std::string longAscii(100, 'a');
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {std::string("\0\x7F", 2), true},
        {longAscii, true},
        {longAscii + "\x80", false},
        {"\xC3\xA9" + longAscii, false},
        {longAscii.substr(0, 11) + "\xFF" + longAscii.substr(0, 4), false},
    };
    for (const auto &[text, ascii] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(isAscii(text), ascii);
        if (ascii) {
            EXPECT_EQ(codeTextFromUtf8(text), text);
        }
    }
}

TEST(CodepageTest, CutSequenceIsTheIncompleteCharacterAtTheEnd)
{
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"", 0},
        {"A", 0},
        {"A\xC3", 1},
        {"\xE2\x82", 2},
        {"\xF0\x9F\x98", 3},
        {"\xF0\x9F\x98\x80", 0},
        {"\xC3\xA9", 0},
        {"\xE2"
         "A",
         0},             // already ill-formed, nothing to wait for
        {"\xED\xA0", 0}, // a surrogate never completes
        {"\xFF", 0},
        {"\x82", 0},
    };
    for (const auto &[utf8, cut] : cases) {
        SCOPED_TRACE(std::string(utf8));
        EXPECT_EQ(utf8CutSequenceLength(utf8), cut);
    }
}

TEST(CodepageTest, Utf8DecodedInChunksReadsAsTheWhole)
{
    const std::string text = "Ma\xC3\xB1"
                             "ana \xE2\x82\xAC \xF0\x9F\x98\x80 \xE2\x82 \xC3 \xED\xA0\x80 \xFF "
                             "\xC2\x81\xE2\x80\x9C";
    const std::string whole = codeTextFromUtf8(text);
    for (std::size_t split = 0; split <= text.size(); ++split) {
        const std::string_view head = std::string_view(text).substr(0, split);
        const std::size_t held = utf8CutSequenceLength(head);
        const std::string chunked = codeTextFromUtf8(head.substr(0, split - held)) +
                                    codeTextFromUtf8(text.substr(split - held));
        EXPECT_EQ(chunked, whole) << "split at " << split;
    }
}

} // namespace
} // namespace vantrel::codepage
