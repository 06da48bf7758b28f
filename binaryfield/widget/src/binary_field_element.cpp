// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_field_element.h"

#include "binary_text_edit.h"

namespace vantrel::elements {

BinaryTextEdit *binaryTextEdit(QWidget *parent, const QString &name, const QRect &twips,
                               const FieldDesign &design)
{
    auto *field = create<BinaryTextEdit>(parent, name, twips);
    // The field draws every code by its own advance, digits or not.
    setUpMultiLineField(field, design, true);
    field->setPlainText(design.text);
    return field;
}

} // namespace vantrel::elements
