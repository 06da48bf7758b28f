// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_elements.h"

#include "line_field.h"
#include "text_area.h"
#include "twips.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace vantrel::elements {

LineField *lineEdit(QWidget *parent, const QString &name, const QRect &twips,
                    const FieldDesign &design)
{
    auto *field = create<LineField>(parent, name, twips);
    field->setFrame(false);
    field->setFont(design.font);
    if (design.maxLength > 0) {
        field->setMaxLength(design.maxLength);
    }
    field->setAlignment(design.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    field->setText(design.text);
    setTooltip(field, design.tooltip);
    return field;
}

void setUpMultiLineField(QAbstractScrollArea *field, const FieldDesign &design, bool digitsOnly)
{
    field->setFrameShape(QFrame::NoFrame);
    QFont font = design.font;
    if (digitsOnly) {
        font.setStyleStrategy(QFont::PreferNoShaping);
    }
    field->setFont(font);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTooltip(field, design.tooltip);
}

TextArea *textArea(QWidget *parent, const QString &name, const QRect &twips,
                   const FieldDesign &design)
{
    auto *field = create<TextArea>(parent, name, twips);
    field->setMaxLength(design.maxLength);
    setUpMultiLineField(field, design, design.digitsOnly);
    field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QTextOption option = field->document()->defaultTextOption();
    option.setWrapMode(design.digitsOnly ? QTextOption::WrapAnywhere
                                         : QTextOption::WrapAtWordBoundaryOrAnywhere);
    // A fixed direction spares every layout a scan of the whole text for
    // its first strong character.
    option.setTextDirection(Qt::LeftToRight);
    field->document()->setDefaultTextOption(option);
    field->setTabChangesFocus(true);
    field->setText(design.text);
    return field;
}

} // namespace vantrel::elements
