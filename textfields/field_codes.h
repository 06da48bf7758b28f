// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// The code text of the unbounded fields and its Unicode faces. In a code
// text a line break is the pair CR LF (13 10); a lone 13 or 10 is an
// ordinary character, shown by its control picture.
namespace vantrel::fieldcodes {

inline constexpr char kCr = '\r';
inline constexpr char kLf = '\n';

// Appends the codes of text[from, to) to `codes`, every line break (CR LF,
// CR, LF, U+2028, U+2029) as CR LF and a character outside the set as 63.
// A CR LF or a surrogate pair that straddles `to` is taken whole; returns
// where the conversion stopped, so that slices can be chained.
qsizetype appendCodes(std::string &codes, QStringView text, qsizetype from, qsizetype to);

// Adds to `count` how many codes appendCodes() would append.
qsizetype countCodes(qsizetype &count, QStringView text, qsizetype from, qsizetype to);

// The codes of a whole text, as appendCodes converts them.
[[nodiscard]] std::string codesFromText(QStringView text);

// The character that shows a code, the one definition every field draws
// with. A code that has no glyph of its own shows a picture that no other
// code shares and that is no character of the set: the C0 controls their
// control pictures (U+2400 + code: ␀ … ␟), DEL U+2421 (␡). The five C1
// controls that Windows-1252 leaves undefined have no picture in Unicode;
// each shows the circled initial of its name, in lower case to keep it apart
// from © and ®: 129 HOP ⓗ, 141 RI ⓡ, 143 SS3 ⓢ, 144 DCS ⓓ, 157 OSC ⓞ. Every
// other code shows its own character.
[[nodiscard]] QChar displayCharacter(unsigned char code);

// The picture that shows a control character of the set (U+0000-U+001F,
// U+007F and the five C1 controls above), or `c` itself for any other
// character.
[[nodiscard]] QChar pictureOf(QChar c);

// The control character that a picture shows, or `c` itself when it is no
// picture.
[[nodiscard]] QChar characterOfPicture(QChar c);

// Whether a character is one of the pictures, which only the program writes.
[[nodiscard]] bool isPicture(QChar c);

// Whether a code belongs to a word (a letter, a digit or "_"), for word
// moves and double-click selection.
[[nodiscard]] bool isWordCode(unsigned char code);

// Whether a code is blank space as text layouts see it (a space, a tab, a
// no-break space): word moves skip it, and a line's trailing run of it takes
// no clicks.
[[nodiscard]] constexpr bool isSpaceCode(unsigned char code)
{
    return code == ' ' || code == '\t' || code == 0xA0;
}

// The text of some codes as a standard text field holds it: each code's own
// character (a tab as a tab, a lone CR as U+000D), "\n" for every CR LF. The
// control pictures are only how the field draws the codes.
[[nodiscard]] QString plainText(std::string_view codes);

// Where the first CR LF pair whose CR lies in [from, to) starts, or -1.
[[nodiscard]] qsizetype findLineBreak(std::string_view codes, qsizetype from, qsizetype to);

// Whether codes[offset - 1] and codes[offset] are a CR LF pair, so that
// offset lies inside a line break.
[[nodiscard]] bool insideLineBreak(std::string_view codes, qsizetype offset);

} // namespace vantrel::fieldcodes
