// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_conversion.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using enum ValueField;

std::string character(int code)
{
    return std::string(1, static_cast<char>(code));
}

// The conversions themselves run on the shared tables (conversion_cases_test);
// this is the check the binary field makes before converting.
TEST(BinaryTextCompleteTest, CountsEightCharactersWhateverTheyAre)
{
    const std::pair<std::string_view, bool> cases[] = {
        {"01000001", true}, {"0100000a", true}, {"01 00001", true},   {"21000001", true},
        {" 1000001", true}, {"0100000", false}, {"010000010", false}, {"", false},
    };
    for (const auto &[text, complete] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(binaryTextComplete(text), complete);
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
