// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_digit_count.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <random>

namespace vantrel {
namespace {

// Every length up to a few vector blocks, then lengths past the counting
// slices, at every alignment: texts of digits alone, with a few other codes
// or with many, of every value.
TEST(NonBinaryDigitCountTest, CountsWhatARecountFinds)
{
    std::mt19937 random(21);
    for (std::size_t length = 0; length <= 12'400; length += length < 140 ? 1 : 61) {
        for (std::size_t offset = 0; offset < 8; ++offset) {
            const std::uint32_t oneIn = std::array<std::uint32_t, 3>{0, 3, 2000}[random() % 3];
            std::string buffer(offset + length, '0');
            for (char &code : buffer) {
                code = static_cast<char>(oneIn != 0 && random() % oneIn == 0 ? random() % 256
                                                                             : '0' + random() % 2);
            }
            const std::string_view text = std::string_view(buffer).substr(offset);
            ASSERT_EQ(nonBinaryDigitCount(text),
                      std::size_t(std::count_if(text.begin(), text.end(),
                                                [](char c) { return c != '0' && c != '1'; })))
                << "length " << length << ", offset " << offset;
        }
    }
}

} // namespace
} // namespace vantrel
