// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_field.h"

#include "short_text_accessible.h"

namespace vantrel {

LineField::LineField(QWidget *parent) : QLineEdit(parent)
{
    accessibility::installShortTextFieldFactory();
}

LineField::LineField(const QString &text, QWidget *parent) : LineField(parent)
{
    setText(text);
}

void LineField::onTextChanged(QObject *context, std::function<void()> changed)
{
    QObject::connect(this, &QLineEdit::textChanged, context,
                     [changed = std::move(changed)] { changed(); });
}

// Counted when read: a line is short, and comparing it is all it takes.
quint64 LineField::textRevision() const
{
    return m_revision.of(text());
}

void LineField::moveCursorToEnd()
{
    end(false);
}

} // namespace vantrel
