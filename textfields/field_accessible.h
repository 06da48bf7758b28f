// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>
#include <functional>

class QWidget;

// What every text field of the program tells a screen reader, whatever its
// kind: its name and role, whether it can be seen, whether it holds a valid
// text, and what the program has to say about it.
namespace vantrel::accessibility {

// Whether a field shows the invalid colour: its text fails its check.
[[nodiscard]] bool shownInvalid(const QWidget *field);

// The description a screen reader reads after a field's name: "No válido."
// while the field shows the invalid colour, then what the program announced
// in it (its accessible description, or its tooltip), unless that only
// repeats the name.
[[nodiscard]] QString fieldDescription(const QWidget *field);

// The state Qt gives a widget, corrected: a field slid out of sight is not
// showing, and only a field that takes text is editable.
[[nodiscard]] QAccessible::State fieldState(QAccessible::State state, const QWidget *field,
                                            bool editable);

// Tells screen readers that a field's description changed, as when the field
// turns invalid or valid again.
void descriptionChanged(QWidget *field);

// A character, word, sentence, line or paragraph: a span of the text.
struct TextSpan
{
    int start = 0;
    int end = 0;
};

// Where the visual line around an offset starts and ends: only the field's
// layout knows.
using LineAt = std::function<TextSpan(int offset)>;

// The span of a text around an offset. Words and sentences follow Unicode's
// rules; a paragraph ends before its line break; lines come from `lineAt`.
// At the end of the text, an empty span, but for lines and paragraphs, which
// are then the last one. Linear in the text: for fields of at most a few
// thousand characters.
[[nodiscard]] TextSpan spanAt(const QString &text, int offset,
                              QAccessible::TextBoundaryType boundary, const LineAt &lineAt);
// The span before or after the one at an offset; empty at either end.
[[nodiscard]] TextSpan spanBefore(const QString &text, int offset,
                                  QAccessible::TextBoundaryType boundary, const LineAt &lineAt);
[[nodiscard]] TextSpan spanAfter(const QString &text, int offset,
                                 QAccessible::TextBoundaryType boundary, const LineAt &lineAt);

} // namespace vantrel::accessibility
