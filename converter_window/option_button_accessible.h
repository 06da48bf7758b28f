// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractButton;

// The bit-mode buttons are checkable push buttons in an exclusive group: one
// of the two is always on, as option buttons are. Qt would present them as
// check boxes; screen readers should meet radio buttons, and pressing one
// should do what a click does.
namespace vantrel::accessibility {

// Call before the button is first asked for its accessible interface.
void makeOptionButton(QAbstractButton *button);

} // namespace vantrel::accessibility
