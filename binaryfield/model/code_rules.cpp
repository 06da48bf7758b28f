// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_rules.h"

#include "codepage.h"

#include <QChar>
#include <array>
#include <cstring>

namespace vantrel::coderules {

namespace {

// A class of codes by the character each stands for.
template <typename Test> std::array<bool, 256> codesWhose(Test test)
{
    std::array<bool, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = test(
            QChar(static_cast<char16_t>(codepage::unicodeOfCode(static_cast<unsigned char>(i)))));
    }
    return table;
}

} // namespace

bool isWhiteSpace(unsigned char code)
{
    static const std::array<bool, 256> kSpaces = codesWhose([](QChar c) { return c.isSpace(); });
    return kSpaces[code];
}

bool isWordCode(unsigned char code)
{
    // Control codes are no letters, whatever picture a field shows for them.
    static const std::array<bool, 256> kWordCodes =
        codesWhose([](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); });
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
