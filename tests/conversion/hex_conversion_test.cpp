// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_conversion.h"

#include <gtest/gtest.h>
#include <random>

namespace vantrel {
namespace {

// A plain reading of binary-to-hexadecimal, group by group.
std::optional<std::string> referenceBinaryToHex(std::string_view binary)
{
    for (const char c : binary) {
        if (c != '0' && c != '1') {
            return std::nullopt;
        }
    }
    const std::string padded = std::string((4 - binary.size() % 4) % 4, '0') + std::string(binary);
    std::string hex;
    for (std::size_t i = 0; i < padded.size(); i += 4) {
        const int value = (padded[i] - '0') * 8 + (padded[i + 1] - '0') * 4 +
                          (padded[i + 2] - '0') * 2 + (padded[i + 3] - '0');
        hex.push_back("0123456789ABCDEF"[value]);
    }
    while (hex.size() > 1 && hex.front() == '0') {
        hex.erase(0, 1);
    }
    return hex;
}

// What a field of maxDigits characters shows: the padded digits cut, then
// stripped of their leading zeros.
std::optional<std::string> referenceCut(std::string_view binary, std::size_t maxDigits)
{
    if (!referenceBinaryToHex(binary)) {
        return std::nullopt;
    }
    const std::string padded = std::string((4 - binary.size() % 4) % 4, '0') + std::string(binary);
    std::string digits;
    for (std::size_t i = 0; i < padded.size() && digits.size() < maxDigits; i += 4) {
        digits += *referenceBinaryToHex(padded.substr(i, 4));
    }
    while (digits.size() > 1 && digits.front() == '0') {
        digits.erase(0, 1);
    }
    return digits;
}

TEST(Binario2Test, GivesFourDigitsForEachValue)
{
    const std::string_view expected[] = {"0000", "0001", "0010", "0011", "0100", "0101",
                                         "0110", "0111", "1000", "1001", "1010", "1011",
                                         "1100", "1101", "1110", "1111"};
    for (unsigned value = 0; value < 16; ++value) {
        const auto digits = binario2(value);
        EXPECT_EQ(std::string_view(digits.data(), 4), expected[value]);
    }
}

TEST(BinaryToHexTest, LongTextsAreConvertedInFull)
{
    EXPECT_EQ(binaryToHex(std::string(32'764, '1')), std::string(8'191, 'F'));
    std::mt19937 random(3);
    for (const std::size_t length :
         {32'764u, 32'765u, 32'766u, 32'767u, 32'768u, 32'769u, 32'770u, 1'000'000u}) {
        std::string binary(length, '0');
        for (std::size_t i = length / 3; i < length; ++i) {
            binary[i] = static_cast<char>('0' + random() % 2);
        }
        SCOPED_TRACE(length);
        EXPECT_EQ(binaryToHex(binary), referenceBinaryToHex(binary));
    }
}

TEST(BinaryToHexCutTest, CutsBeforeLeadingZerosGo)
{
    const std::string leadingZeros = std::string(8, '0') + std::string(2'000, '1');
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {std::string(2'000, '1'), std::string(500, 'F')},
        {std::string(2'001, '1'), "1" + std::string(499, 'F')},
        {std::string(4'001, '1'), "1" + std::string(499, 'F')},
        {leadingZeros, std::string(498, 'F')},
        {std::string(3'000, '0'), "0"},
        {std::string(3'000, '1') + "2", std::nullopt},
        {"2" + std::string(3'000, '1'), std::nullopt},
        {"101", "5"},
        {"", ""},
    };
    for (const auto &[binary, shown] : cases) {
        SCOPED_TRACE(binary.size());
        EXPECT_EQ(binaryToHexCut(binary, 500), shown);
    }
    std::mt19937 random(9);
    for (std::size_t length = 1'990; length < 2'020; ++length) {
        std::string binary(length, '0');
        for (std::size_t i = random() % 12; i < length; ++i) {
            binary[i] = static_cast<char>('0' + random() % 2);
        }
        SCOPED_TRACE(length);
        EXPECT_EQ(binaryToHexCut(binary, 500), referenceCut(binary, 500));
    }
}

// The binary field hands over only the digits the cut conversion reads: a
// bounded prefix that must give what the whole text gives.
TEST(BinaryToHexCutTest, CountedConversionNeedsOnlyItsPrefix)
{
    std::mt19937 random(11);
    for (std::size_t length = 0; length < 48; ++length) {
        std::string binary(length, '0');
        for (std::size_t i = random() % 6; i < length; ++i) {
            binary[i] = static_cast<char>('0' + random() % 2);
        }
        for (const std::size_t maxDigits : {0U, 1U, 2U, 3U, 5U, 8U, 500U}) {
            SCOPED_TRACE(testing::Message() << length << " digits, " << maxDigits << " shown");
            const std::size_t reads = binaryToHexCutReads(length, maxDigits);
            EXPECT_LE(reads, std::min(length, 4 * maxDigits));
            EXPECT_EQ(
                binaryToHexCutCounted(std::string_view(binary).substr(0, reads), 0, maxDigits),
                binaryToHexCutCounted(binary, 0, maxDigits));
        }
    }
}

TEST(HexRoundTripTest, BinaryComesBackWithoutItsLeadingZeros)
{
    std::mt19937 random(5);
    for (std::size_t length = 0; length < 70; ++length) {
        std::string binary(length, '0');
        for (char &digit : binary) {
            digit = static_cast<char>('0' + random() % 2);
        }
        const auto hex = binaryToHex(binary);
        ASSERT_TRUE(hex);
        const std::size_t firstOne = binary.find('1');
        const std::string expected = binary.empty()                  ? ""
                                     : firstOne == std::string::npos ? "0"
                                                                     : binary.substr(firstOne);
        SCOPED_TRACE(binary);
        EXPECT_EQ(hexToBinary(*hex), expected);
    }
}

TEST(FourBinaryDigitsEachTest, EveryCodeGivesItsFourDigitsWhereverItStands)
{
    // Every code, three times over, so that each falls in different places
    // of the vector blocks; a code that is no digit counts as 0.
    std::string text;
    std::string expected;
    for (int round = 0; round < 3; ++round) {
        for (unsigned code = 0; code < 256; ++code) {
            const char c = static_cast<char>(code);
            const std::size_t digit =
                std::string_view("0123456789ABCDEF")
                    .find(c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c);
            const auto digits = binario2(digit == std::string_view::npos ? 0 : unsigned(digit));
            text += c;
            expected.append(digits.data(), digits.size());
        }
    }
    for (std::size_t start : {0, 1, 2, 3, 37}) {
        SCOPED_TRACE(start);
        EXPECT_EQ(fourBinaryDigitsEach(std::string_view(text).substr(start)),
                  expected.substr(4 * start));
    }
}

TEST(HexRoundTripTest, HexComesBackInCapitals)
{
    EXPECT_EQ(binaryToHex(*hexToBinary("00abcDEF0123")), "ABCDEF0123");
    const std::string million(1'000'000, 'c');
    const auto binary = hexToBinary(million);
    ASSERT_TRUE(binary);
    EXPECT_EQ(binary->size(), 4'000'000u);
    EXPECT_EQ(binaryToHex(*binary), std::string(1'000'000, 'C'));
}

} // namespace
} // namespace vantrel
