// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QAbstractButton;

namespace vantrel::accessibility {

// A button of the program's windows as a screen reader meets it: a push
// button, a check box or (for the bit-mode buttons, checkable push buttons
// in one group) a radio button; pressed or toggled through a click, so the
// window converts as it does for the mouse; described by its tooltip only
// where the tooltip says more than its name.
void makeButton(QAbstractButton *button, QAccessible::Role role);

} // namespace vantrel::accessibility
