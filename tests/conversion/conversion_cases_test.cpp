#include "conversion_cases.h"
#include "hex_conversion.h"
#include "message_conversion.h"
#include "value_conversion.h"

#include <gtest/gtest.h>

// The shared tables hold for the core itself, so a command-line failure on
// them points at the program.
namespace vantrel {
namespace {

struct ValueFields
{
    std::string decimal;
    std::string binary;
    std::string character;

    void apply(const FieldWrites &writes)
    {
        for (const FieldWrite &write : writes) {
            (write.field == ValueField::Decimal  ? decimal
             : write.field == ValueField::Binary ? binary
                                                 : character) = write.text;
        }
    }
};

void expectFields(const ValueFields &fields, const cases::ValueCase &expected)
{
    EXPECT_EQ(fields.decimal, expected.decimal);
    EXPECT_EQ(fields.binary, expected.binary);
    EXPECT_EQ(fields.character, expected.character);
}

TEST(SharedCasesTest, DecimalCases)
{
    for (const cases::ValueCase &c : cases::kDecimalCases) {
        SCOPED_TRACE(std::string(c.input));
        ASSERT_EQ(decimalTextInRange(c.input), c.accepted);
        if (c.accepted) {
            ValueFields fields{std::string(c.input), {}, {}};
            fields.apply(asciiFromDecimal(c.input));
            expectFields(fields, c);
        }
    }
}

TEST(SharedCasesTest, BinaryCases)
{
    for (const cases::ValueCase &c : cases::kBinaryCases) {
        SCOPED_TRACE(std::string(c.input));
        const BinarioResult result = binario(c.input);
        ASSERT_EQ(binaryTextComplete(c.input) && result.valid, c.accepted);
        if (c.accepted) {
            ValueFields fields{{}, std::string(c.input), {}};
            fields.apply(result.writes);
            expectFields(fields, c);
        }
    }
}

TEST(SharedCasesTest, CharacterCases)
{
    for (const cases::CharacterCase &c : cases::kCharacterCases) {
        SCOPED_TRACE(int(c.code));
        EXPECT_EQ(caracter(c.code), (FieldWrites{{ValueField::Decimal, std::string(c.decimal)},
                                                 {ValueField::Binary, std::string(c.binary)}}));
    }
}

TEST(SharedCasesTest, MessageCases)
{
    for (const cases::EncodeCase &c : cases::kEncodeCases) {
        EXPECT_EQ(binText(c.message, c.mode), c.binary);
    }
    for (const cases::DecodeCase &c : cases::kDecodeCases) {
        SCOPED_TRACE(std::string(c.binary));
        const DecodedMessage decoded = hexaText(c.binary, c.mode);
        EXPECT_EQ(decoded.valid, c.valid);
        EXPECT_EQ(decoded.message, c.message);
    }
}

TEST(SharedCasesTest, DigitCases)
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
