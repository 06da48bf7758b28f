// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference_edit.h"

#include "binary_text_edit.h"

#include <QPlainTextEdit>

namespace vantrel::testing {

void setUpLikeBinaryField(QPlainTextEdit &reference, const BinaryTextEdit &binary)
{
    reference.setFrameShape(binary.frameShape());
    QFont font = binary.font();
    font.setKerning(false);
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    reference.setFont(font);
    reference.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reference.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    reference.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    reference.setWordWrapMode(QTextOption::WrapAnywhere);
    reference.setTabChangesFocus(true);
}

} // namespace vantrel::testing
