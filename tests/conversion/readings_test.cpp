// SPDX-License-Identifier: GPL-3.0-or-later
#include "readings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vantrel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct LeadingCase
{
    std::string_view text;
    double value;
};

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartAndIgnoresTheRest)
{
    const LeadingCase cases[] = {
        {"65", 65},
        {" 6 5", 65},
        {"65abc", 65},
        {"abc", 0},
        {".", 0},
        {"", 0},
        {"-1", -1},
        {"1.5", 1.5},
        {"1e2", 100},
        {"&HF", 15},
        {"&hff", 255},
        {"&o17", 15},
        {"&O8", 0},
        {"&H", 0},
        {"&", 0},
        {"&X1", 0},
        {"1D2", 100},
        {"1d-2", 0.01},
        {"1E+2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {"+65", 65},
        {"\t6\n5", 65},
        {"6\r5", 6},
        {"1.2.3", 1.2},
        {".5", 0.5},
        {"5.", 5},
        {"1 e 2", 100},
        {"--1", 0},
        {"+-1", 0},
        {"& H F", 15},
        {"&HFFFFFFFF", 4294967295.0},
        {"&H-1", 0},
        {"254.7", 254.7},
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1e-400", 0},
        {"0e999999", 0},
        {"0.0001e400", kInf},
        {"100000e-400", 0},
        {"1e99999999999999999999", kInf},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(leadingNumber(c.text), c.value);
    }
}

TEST(LeadingNumberTest, MinusZeroKeepsItsSign)
{
    EXPECT_EQ(leadingNumber("-0"), 0.0);
    EXPECT_TRUE(std::signbit(leadingNumber("-0")));
}

TEST(LeadingNumberTest, HugeTextsReadInFull)
{
    EXPECT_EQ(leadingNumber(std::string(1'000'000, '9')), kInf);
    EXPECT_EQ(leadingNumber(std::string(1'000'000, ' ') + "42"), 42);
    EXPECT_EQ(leadingNumber("&H" + std::string(1'000, 'F')), kInf);
}

struct WholeCase
{
    std::string_view text;
    std::optional<std::int32_t> value;
};

TEST(WholeNumberTest, RoundsHalfToEvenAndFailsOnAnythingButANumber)
{
    constexpr auto fails = std::nullopt;
    const WholeCase cases[] = {
        {"65", 65},
        {" 65 ", 65},
        {"\t65\t", 65},
        {"+65", 65},
        {"-0", 0},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"-0.5", 0},
        {"-1.5", -2},
        {"-2.5", -2},
        {"2.4999", 2},
        {"2.5001", 3},
        {"1.", 1},
        {".5", 0},
        {"1e2", 100},
        {"1D2", 100},
        {"25e-1", 2},
        {"&HF", 15},
        {"&hff", 255},
        {"&O17", 15},
        {"&o777", 511},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483646.5", 2147483646},
        {"&H7FFFFFFF", 2147483647},
        {"2147483648", fails},
        {"-2147483649", fails},
        {"2147483647.5", fails},
        {"1e10", fails},
        {"1e400", fails},
        {"&H80000000", fails},
        {"", fails},
        {"   ", fails},
        {"abc", fails},
        {"6 5", fails},
        {".", fails},
        {"1a", fails},
        {"a1", fails},
        {"1e", fails},
        {"&H", fails},
        {"&HG", fails},
        {"&H1G", fails},
        {"&O8", fails},
        {"+", fails},
        {"-", fails},
        {"1..2", fails},
        {"- 1", fails},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(wholeNumber(c.text), c.value);
    }
}

TEST(CharacterOfCodeTest, GivesOneCharacterForCodesZeroTo255Only)
{
    EXPECT_EQ(characterOfCode(-1), std::nullopt);
    EXPECT_EQ(characterOfCode(256), std::nullopt);
    EXPECT_EQ(characterOfCode(std::numeric_limits<std::int64_t>::min()), std::nullopt);
    for (int code = 0; code < 256; ++code) {
        ASSERT_EQ(characterOfCode(code), static_cast<char>(code));
    }
}

TEST(EightDigitBinaryTest, GivesTheDigitsOfTheWholePart)
{
    const std::pair<double, std::string_view> cases[] = {
        {0, "00000000"},   {1, "00000001"},     {1.5, "00000001"}, {65, "01000001"},
        {128, "10000000"}, {254.7, "11111110"}, {255, "11111111"}, {-0.0, "00000000"},
    };
    for (const auto &[value, digits] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(eightDigitBinaryText(value), digits);
    }
}

} // namespace
} // namespace vantrel
