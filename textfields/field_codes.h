// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// The Unicode faces of the unbounded fields' code text (whose rules are in
// code_rules.h): a code text from any text, a text from codes, and the
// character that shows each code.
namespace vantrel::fieldcodes {

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

// The text of some codes as a standard text field holds it: each code's own
// character (a tab as a tab, a lone CR as U+000D), "\n" for every CR LF. The
// control pictures are only how the field draws the codes.
[[nodiscard]] QString plainText(std::string_view codes);

} // namespace vantrel::fieldcodes
