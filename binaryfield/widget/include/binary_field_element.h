// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "field_elements.h"

namespace vantrel {
class BinaryTextEdit;
} // namespace vantrel

namespace vantrel::elements {

// Borderless multi-line field for texts of any length (binary dumps), with a
// vertical scroll bar, named and placed in twips; the design's maxLength and
// digitsOnly do not apply.
BinaryTextEdit *binaryTextEdit(QWidget *parent, const QString &name, const QRect &twips,
                               const FieldDesign &design);

} // namespace vantrel::elements
