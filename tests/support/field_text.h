// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The windows' text fields of every kind (line edits, text areas, the binary
// fields) read and written alike, as the conversions see them: line breaks
// as CR LF.
namespace vantrel::testing {

[[nodiscard]] QString fieldText(const QWidget *field);
// A program write, raising the field's change event once.
void setFieldText(QWidget *field, const QString &text);

[[nodiscard]] bool caretAtEnd(const QWidget *field);

} // namespace vantrel::testing
