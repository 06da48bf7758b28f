// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_conversion.h"

#include <gtest/gtest.h>
#include <random>

namespace vantrel {
namespace {

using enum BitMode;

// A plain reading of the decoding rules, to compare the fast code with.
DecodedMessage referenceDecode(std::string_view binary, BitMode mode)
{
    for (const char c : binary) {
        if (c != '0' && c != '1') {
            return {false, std::string(kInvalidCodeMarker)};
        }
    }
    const auto width = static_cast<std::size_t>(mode);
    std::string message;
    for (std::size_t start = binary.size() % width; start + width <= binary.size();
         start += width) {
        int value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value = value * 2 + (binary[start + i] - '0');
        }
        if (value == 0) {
            break;
        }
        message.push_back(static_cast<char>(value));
    }
    return {true, message};
}

std::string randomDigits(std::size_t length, std::mt19937 &random)
{
    std::string digits(length, '0');
    for (char &digit : digits) {
        digit = (random() % 8 == 0) ? '0' : '1'; // few zero groups, long messages
    }
    return digits;
}

TEST(HexaTextTest, MarkerIsTheNineteenCharacterCodeText)
{
    ASSERT_EQ(kInvalidCodeMarker.size(), 19u);
    EXPECT_EQ(kInvalidCodeMarker[3], '\xF3');
    EXPECT_EQ(kInvalidCodeMarker[13], '\xE1');
}

TEST(HexaTextTest, OneBadCharacterAnywhereInvalidatesAHugeMessage)
{
    std::string binary = binText(std::string(100'000, 'A'), Eight);
    for (const std::size_t at :
         {std::size_t{0}, std::size_t{63}, std::size_t{64}, binary.size() / 2, binary.size() - 1}) {
        std::string broken = binary;
        broken[at] = '\n';
        SCOPED_TRACE(at);
        EXPECT_FALSE(hexaText(broken, Eight).valid);
        EXPECT_FALSE(hexaText(broken, Seven).valid);
    }
}

TEST(MessageRoundTripTest, EveryCodeSurvivesEightBitsAndLosesItsTopDigitInSeven)
{
    std::string all;
    for (int code = 1; code < 256; ++code) {
        all.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(hexaText(binText(all, Eight), Eight).message, all);

    const std::string sevenBit = hexaText(binText(all, Seven), Seven).message;
    // Code 128 comes back as 0 and ends the message there.
    ASSERT_EQ(sevenBit.size(), 127u);
    EXPECT_EQ(sevenBit, all.substr(0, 127));
    EXPECT_EQ(hexaText(binText("\xE9", Seven), Seven).message, "i"); // 233 comes back as 105
}

TEST(MessageRoundTripTest, LongMessagesMatchThePlainReading)
{
    std::mt19937 random(7);
    for (const std::size_t length :
         {32'764u, 32'765u, 32'766u, 32'767u, 32'768u, 32'769u, 32'770u, 1'000'000u}) {
        const std::string binary = randomDigits(length, random);
        for (const BitMode mode : {Seven, Eight}) {
            SCOPED_TRACE(testing::Message() << length << " digits, mode " << int(mode));
            const DecodedMessage expected = referenceDecode(binary, mode);
            const DecodedMessage actual = hexaText(binary, mode);
            EXPECT_TRUE(actual.valid);
            EXPECT_EQ(actual.message, expected.message);
        }
    }
}

TEST(MessageRoundTripTest, EncodedLongMessagesDecodeInFull)
{
    std::mt19937 random(11);
    std::string message(1'000'000, '\0');
    for (char &c : message) {
        c = static_cast<char>(1 + random() % 255);
    }
    EXPECT_EQ(hexaText(binText(message, Eight), Eight).message, message);
    std::string lowHalf = message;
    for (char &c : lowHalf) {
        c = static_cast<char>(1 + static_cast<unsigned char>(c) % 127);
    }
    EXPECT_EQ(hexaText(binText(lowHalf, Seven), Seven).message, lowHalf);
}

} // namespace
} // namespace vantrel
