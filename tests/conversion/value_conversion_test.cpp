#include "value_conversion.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using enum ValueField;

const std::string kNul(1, '\0');

std::string character(int code)
{
    return std::string(1, static_cast<char>(code));
}

TEST(DecimalTextInRangeTest, AcceptsLeadingNumbersFromZeroTo255)
{
    const std::pair<std::string_view, bool> cases[] = {
        {"0", true},    {"255", true},    {"254.7", true}, {"-0", true},   {"", true},
        {"abc", true},  {"1a", true},     {"256", false},  {"999", false}, {"-1", false},
        {"1e9", false}, {"255.5", false}, {"-0.5", false}, {"&HFF", true}, {"&H100", false},
    };
    for (const auto &[text, inRange] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(decimalTextInRange(text), inRange);
        EXPECT_EQ(decimalTextInRange(readDecimal(text)), inRange);
    }
}

struct AsciiCase
{
    std::string_view decimalText;
    FieldWrites writes;
};

TEST(AsciiFromDecimalTest, WritesBinaryThenCharacterOrRecovers)
{
    const AsciiCase cases[] = {
        {"65", {{Binary, "01000001"}, {Character, "A"}}},
        {"0", {{Binary, "00000000"}, {Character, kNul}}},
        {"255", {{Binary, "11111111"}, {Character, character(255)}}},
        {"+65", {{Binary, "01000001"}, {Character, "A"}}},
        {" 65", {{Binary, "01000001"}, {Character, "A"}}},
        {"65 ", {{Binary, "01000001"}, {Character, "A"}}},
        {"1e2", {{Binary, "01100100"}, {Character, "d"}}},
        {"&HF", {{Binary, "00001111"}, {Character, character(15)}}},
        {"-0", {{Binary, "00000000"}, {Character, kNul}}},
        {"2.5", {{Binary, "00000010"}, {Character, character(2)}}},
        {"1.5", {{Binary, "00000001"}, {Character, character(2)}}},
        {"254.7", {{Binary, "11111110"}, {Character, character(255)}}},
        {"", {{Binary, "00000000"}, {Decimal, "0"}, {Character, ""}}},
        {"abc", {{Binary, "00000000"}, {Decimal, "0"}, {Character, ""}}},
        {".", {{Binary, "00000000"}, {Decimal, "0"}, {Character, ""}}},
        {"1a", {{Binary, "00000001"}, {Decimal, "0"}, {Character, ""}}},
        {"6 5", {{Binary, "01000001"}, {Decimal, "0"}, {Character, ""}}},
        // Out of range: the caller marks the field and nothing is written.
        {"256", {}},
        {"999", {}},
        {"-1", {}},
        {"1e9", {}},
        {"255.5", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.decimalText));
        EXPECT_EQ(asciiFromDecimal(c.decimalText), c.writes);
        EXPECT_EQ(asciiFromDecimal(readDecimal(c.decimalText)), c.writes);
    }
}

TEST(CaracterTest, WritesDecimalThenBinaryOfTheCurrentCode)
{
    const std::tuple<unsigned char, std::string_view, std::string_view> cases[] = {
        {65, "65", "01000001"},   {13, "13", "00001101"}, {8, "8", "00001000"},
        {255, "255", "11111111"}, {0, "0", "00000000"},
    };
    for (const auto &[code, decimal, binary] : cases) {
        SCOPED_TRACE(int(code));
        EXPECT_EQ(caracter(code),
                  (FieldWrites{{Decimal, std::string(decimal)}, {Binary, std::string(binary)}}));
    }
}

TEST(BinarioTest, ReadsEightDigitsOrReportsInvalid)
{
    struct Case
    {
        std::string_view binary;
        bool complete;
        BinarioResult result;
    };
    const Case cases[] = {
        {"01000001", true, {true, {{Decimal, "65"}, {Character, "A"}}}},
        {"11111111", true, {true, {{Decimal, "255"}, {Character, character(255)}}}},
        {"00000000", true, {true, {{Decimal, "0"}, {Character, kNul}}}},
        {"10000000", true, {true, {{Decimal, "128"}, {Character, character(128)}}}},
        {"0100000", false, {}},
        {"010000010", false, {}},
        {"", false, {}},
        {"0100000a", true, {}},
        {"01 00001", true, {}},
        {"21000001", true, {}},
        {" 1000001", true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.binary));
        EXPECT_EQ(binaryTextComplete(c.binary), c.complete);
        const BinarioResult result = binario(c.binary);
        EXPECT_EQ(result.valid, c.result.valid);
        EXPECT_EQ(result.writes, c.result.writes);
    }
}

TEST(BinarioTest, EveryCodeRoundTripsThroughCaracter)
{
    for (int code = 0; code < 256; ++code) {
        const FieldWrites fromCode = caracter(static_cast<unsigned char>(code));
        const BinarioResult back = binario(fromCode[1].text);
        ASSERT_TRUE(back.valid);
        EXPECT_EQ(back.writes[0].text, fromCode[0].text);
        EXPECT_EQ(back.writes[1].text, character(code));
    }
}

} // namespace
} // namespace vantrel
