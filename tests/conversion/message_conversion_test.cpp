// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion_paths.h"
#include "hex_conversion.h"
#include "message_conversion.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

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

// The binary field hands over only the digits the counted decoding reads: a
// bounded prefix that must give what the whole text gives.
TEST(MessageRoundTripTest, CountedDecodingNeedsOnlyItsPrefix)
{
    std::mt19937 random(13);
    for (std::size_t length = 0; length < 60; ++length) {
        const std::string binary = randomDigits(length, random);
        for (const BitMode mode : {Seven, Eight}) {
            for (const std::size_t maxCodes : {0U, 1U, 2U, 3U, 7U, 500U}) {
                SCOPED_TRACE(testing::Message() << length << " digits, mode " << int(mode) << ", "
                                                << maxCodes << " shown");
                const std::size_t reads = hexaTextCountedReads(length, mode, maxCodes);
                EXPECT_LE(reads, std::min(length, (maxCodes + 1) * std::size_t(mode)));
                const DecodedMessage cut =
                    hexaTextCounted(std::string_view(binary).substr(0, reads), 0, mode, maxCodes);
                const DecodedMessage whole = hexaTextCounted(binary, 0, mode, maxCodes);
                EXPECT_EQ(cut.valid, whole.valid);
                EXPECT_EQ(cut.message, whole.message);
            }
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

// Texts of one length that lead each conversion through its vector loops,
// their tails and their early exits: any codes; binary digits after a run of
// leading zeros, with few zero groups; the same with one non-digit; and
// hexadecimal digits of both cases among zeros and other characters, after
// a run of characters of value 0.
std::vector<std::string> textsOfLength(std::size_t length, std::mt19937 &random)
{
    std::vector<std::string> texts(4, std::string(length, '0'));
    const std::size_t leadingZeros = length == 0 ? 0 : random() % length;
    for (std::size_t i = 0; i < length; ++i) {
        texts[0][i] = static_cast<char>(random());
        if (i >= leadingZeros) {
            texts[1][i] = random() % 16 == 0 ? '0' : '1';
        }
        texts[3][i] =
            i < leadingZeros ? "0g"[random() % 2] : "0123456789ABCDEFabcdef0g\xC1"[random() % 25];
    }
    texts[2] = texts[1];
    if (length != 0) {
        texts[2][random() % length] = '\xB0'; // "0" with its top bit set
    }
    return texts;
}

TEST(VectorPathsTest, MatchTheScalarPathAcrossLengthsAndAlignments)
{
    // Around the blocks of every kernel: 7 and 8 digits a group, 16 and 32
    // bytes a vector, 56 to 128 digits a step.
    const std::size_t lengths[] = {0,   1,   3,   7,   8,   9,   15,  16,  17,   31,  32,
                                   33,  55,  56,  57,  63,  64,  65,  111, 112,  113, 127,
                                   128, 129, 223, 224, 225, 255, 256, 257, 1000, 4099};
    std::mt19937 random(17);
    std::vector<char> buffer(4099 + 128);
    char *const aligned =
        buffer.data() + (64 - reinterpret_cast<std::uintptr_t>(buffer.data()) % 64);
    for (const detail::Path path : detail::kVectorPaths) {
        if (!detail::pathAvailable(path)) {
            continue;
        }
        for (const std::size_t length : lengths) {
            for (std::size_t offset = 0; offset < 64; offset += 5) {
                for (const std::string &text : textsOfLength(length, random)) {
                    std::copy(text.begin(), text.end(), aligned + offset);
                    const std::string_view placed(aligned + offset, length);
                    SCOPED_TRACE(testing::Message() << detail::pathName(path) << ", length "
                                                    << length << ", offset " << offset);
                    for (const BitMode mode : {Seven, Eight}) {
                        EXPECT_EQ(detail::binText(placed, mode, path),
                                  detail::binText(placed, mode, detail::Path::Scalar));
                        for (const std::size_t maxCodes : {std::string_view::npos, length / 20}) {
                            const DecodedMessage expected =
                                detail::hexaText(placed, mode, maxCodes, detail::Path::Scalar);
                            const DecodedMessage actual =
                                detail::hexaText(placed, mode, maxCodes, path);
                            EXPECT_EQ(actual.valid, expected.valid);
                            EXPECT_EQ(actual.message, expected.message);
                        }
                    }
                    EXPECT_EQ(detail::binaryToHex(placed, path),
                              detail::binaryToHex(placed, detail::Path::Scalar));
                    EXPECT_EQ(detail::binaryToHexCut(placed, length / 9, path),
                              detail::binaryToHexCut(placed, length / 9, detail::Path::Scalar));
                    EXPECT_EQ(detail::hexToBinary(placed, path),
                              detail::hexToBinary(placed, detail::Path::Scalar));
                }
            }
        }
    }
}

} // namespace
} // namespace vantrel
