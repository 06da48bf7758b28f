// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion_cases.h"
#include "hex_conversion.h"
#include "message_conversion.h"
#include "value_conversion.h"

#include <gtest/gtest.h>

// The shared tables hold for the core itself, so a command-line failure on
// them points at the program.
namespace vantrel {
namespace {

using enum ValueField;

// An accepted decimal text writes its binary digits, then its character; a
// text that gives no character puts "0" in the decimal field before the
// empty character.
FieldWrites expectedDecimalWrites(const cases::ValueCase &c)
{
    FieldWrites writes{{Binary, std::string(c.binary)}};
    if (c.decimal != c.input) {
        writes.push_back({Decimal, std::string(c.decimal)});
    }
    writes.push_back({Character, std::string(c.character)});
    return writes;
}

TEST(DecimalConversionTest, WritesBinaryThenCharacterOrRecovers)
{
    for (const cases::ValueCase &c : cases::kDecimalCases) {
        SCOPED_TRACE(std::string(c.input));
        const FieldWrites expected = c.accepted ? expectedDecimalWrites(c) : FieldWrites{};
        EXPECT_EQ(decimalTextInRange(c.input), c.accepted);
        EXPECT_EQ(asciiFromDecimal(c.input), expected);
        // The same through a reading made once, as the window makes it.
        EXPECT_EQ(decimalTextInRange(readDecimal(c.input)), c.accepted);
        EXPECT_EQ(asciiFromDecimal(readDecimal(c.input)), expected);
        if (c.accepted) {
            EXPECT_EQ(decimalCharacter(readDecimal(c.input)).has_value(), c.decimal == c.input);
        }
    }
}

TEST(BinaryConversionTest, WritesDecimalThenCharacterOfEightDigits)
{
    for (const cases::ValueCase &c : cases::kBinaryCases) {
        SCOPED_TRACE(std::string(c.input));
        const BinarioResult result = binario(c.input);
        EXPECT_EQ(result.valid, c.accepted);
        const FieldWrites expected{{Decimal, std::string(c.decimal)},
                                   {Character, std::string(c.character)}};
        EXPECT_EQ(result.writes, c.accepted ? expected : FieldWrites{});
    }
}

TEST(CharacterConversionTest, WritesDecimalThenBinaryOfTheCode)
{
    for (const cases::CharacterCase &c : cases::kCharacterCases) {
        SCOPED_TRACE(int(c.code));
        EXPECT_EQ(caracter(c.code), (FieldWrites{{Decimal, std::string(c.decimal)},
                                                 {Binary, std::string(c.binary)}}));
    }
}

TEST(MessageConversionTest, EncodesAndDecodesInGroupsOfTheMode)
{
    for (const cases::EncodeCase &c : cases::kEncodeCases) {
        SCOPED_TRACE(std::string(c.message));
        EXPECT_EQ(binText(c.message, c.mode), c.binary);
    }
    for (const cases::DecodeCase &c : cases::kDecodeCases) {
        SCOPED_TRACE(std::string(c.binary));
        const DecodedMessage decoded = hexaText(c.binary, c.mode);
        EXPECT_EQ(decoded.valid, c.valid);
        EXPECT_EQ(decoded.message, c.message);
    }
}

TEST(DigitConversionTest, BinaryAndHexadecimalConvertBothWays)
{
    for (const cases::DigitsCase &c : cases::kBinaryToHexCases) {
        SCOPED_TRACE(std::string(c.input));
        EXPECT_EQ(binaryToHex(c.input), c.output);
    }
    for (const cases::DigitsCase &c : cases::kHexToBinaryCases) {
        SCOPED_TRACE(std::string(c.input));
        EXPECT_EQ(hexToBinary(c.input), c.output);
    }
}

} // namespace
} // namespace vantrel
