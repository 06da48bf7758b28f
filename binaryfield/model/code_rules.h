// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <string_view>

// The rules of a code text, one byte a code of the program's character set:
// a line break is the pair CR LF (13 10), and a lone 13 or 10 is an ordinary
// code; which codes are blank space and which make up words.
namespace vantrel::coderules {

inline constexpr char kCr = '\r';
inline constexpr char kLf = '\n';

// Whether two codes in a row are a line break.
[[nodiscard]] constexpr bool isLineBreak(char first, char second)
{
    return first == kCr && second == kLf;
}

// Whether a code is blank space as text layouts see it (a space, a tab, a
// no-break space): word moves skip it, and a line's trailing run of it takes
// no clicks.
[[nodiscard]] constexpr bool isSpaceCode(unsigned char code)
{
    return code == ' ' || code == '\t' || code == 0xA0;
}

// Whether the character a code stands for is white space to Qt
// (QChar::isSpace): a space, a tab, the other C0 spaces, a no-break space.
[[nodiscard]] bool isWhiteSpace(unsigned char code);

// Whether a code belongs to a word (a letter, a digit or "_"), for word
// moves, double clicks and a screen reader's words.
[[nodiscard]] bool isWordCode(unsigned char code);

// Where the first CR LF pair whose CR lies in [from, to) starts, or -1.
[[nodiscard]] qsizetype findLineBreak(std::string_view codes, qsizetype from, qsizetype to);

// Whether codes[offset - 1] and codes[offset] are a CR LF pair, so that
// offset lies inside a line break.
[[nodiscard]] bool insideLineBreak(std::string_view codes, qsizetype offset);

} // namespace vantrel::coderules
