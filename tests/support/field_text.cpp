// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_text.h"

#include "binary_text_edit.h"
#include "code_text.h"
#include "text_area.h"

#include <QLineEdit>

namespace vantrel::testing {

QString fieldText(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field)) {
        return line->text();
    }
    if (const auto *area = qobject_cast<const TextArea *>(field)) {
        return area->text();
    }
    return fromCodeText(qobject_cast<const BinaryTextEdit *>(field)->codeText());
}

void setFieldText(QWidget *field, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->setText(text);
    } else if (auto *area = qobject_cast<TextArea *>(field)) {
        area->setText(text);
    } else {
        qobject_cast<BinaryTextEdit *>(field)->setCodeText(toCodeText(text));
    }
}

bool caretAtEnd(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field)) {
        return line->cursorPosition() == line->text().size();
    }
    if (const auto *area = qobject_cast<const TextArea *>(field)) {
        return area->textCursor().atEnd();
    }
    const auto *binary = qobject_cast<const BinaryTextEdit *>(field);
    return binary->cursorPosition() == binary->codeCount();
}

} // namespace vantrel::testing
