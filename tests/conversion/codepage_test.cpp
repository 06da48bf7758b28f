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

} // namespace
} // namespace vantrel::codepage
