// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elements.h"

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

class QAbstractScrollArea;

namespace vantrel {
class LineField;
class TextArea;
} // namespace vantrel

// Factories for the windows' text fields, named and placed in twips as
// every element is.
namespace vantrel::elements {

struct FieldDesign
{
    QFont font;
    QString tooltip;
    QString text;
    int maxLength = 0; // 0: no limit
    bool centred = false;
    // Long runs of digits must wrap anywhere: looking for word boundaries in
    // them makes each layout quadratic in the text's length.
    bool digitsOnly = false;
};

// Borderless single-line field.
LineField *lineEdit(QWidget *parent, const QString &name, const QRect &twips,
                    const FieldDesign &design);

// What every multi-line field has: no frame, the design's font (digits
// unshaped when `digitsOnly`: they need no shaping, and long runs of them lay
// out quicker without), a vertical scroll bar always and no horizontal one,
// the tooltip.
void setUpMultiLineField(QAbstractScrollArea *field, const FieldDesign &design, bool digitsOnly);

// Borderless multi-line field with a vertical scroll bar.
TextArea *textArea(QWidget *parent, const QString &name, const QRect &twips,
                   const FieldDesign &design);

} // namespace vantrel::elements
