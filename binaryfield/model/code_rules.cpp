// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_rules.h"

#include "codepage.h"

#include <QChar>
#include <array>
#include <cstring>

namespace vantrel::coderules {

bool isWordCode(unsigned char code)
{
    // Control codes are no letters, whatever picture a field shows for them.
    static const std::array<bool, 256> kWordCodes = [] {
        std::array<bool, 256> word{};
        for (std::size_t i = 0; i < word.size(); ++i) {
            const QChar character(
                static_cast<char16_t>(codepage::unicodeOfCode(static_cast<unsigned char>(i))));
            word[i] = character.isLetterOrNumber() || character == QLatin1Char('_');
        }
        return word;
    }();
    return kWordCodes[code];
}

qsizetype findLineBreak(std::string_view codes, qsizetype from, qsizetype to)
{
    const char *data = codes.data();
    while (from < to) {
        const auto *cr =
            static_cast<const char *>(std::memchr(data + from, kCr, std::size_t(to - from)));
        if (!cr) {
            return -1;
        }
        const qsizetype at = cr - data;
        if (at + 1 < qsizetype(codes.size()) && data[at + 1] == kLf) {
            return at;
        }
        from = at + 1; // a lone CR is an ordinary character
    }
    return -1;
}

bool insideLineBreak(std::string_view codes, qsizetype offset)
{
    return offset > 0 && offset < qsizetype(codes.size()) &&
           isLineBreak(codes[std::size_t(offset - 1)], codes[std::size_t(offset)]);
}

} // namespace vantrel::coderules
