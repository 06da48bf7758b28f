// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QObject;

// Widgets that screen readers should meet as another kind than their class
// says (a label as a page tab, a check box as a radio button) carry a mark;
// a factory makes their interface for marked objects only.
namespace vantrel::accessibility {

// Installs the factory once, marks the object with `property`, and drops an
// interface made for it before (by an event of its construction) that would
// otherwise stay cached with another role than `role`.
void markForFactory(QObject *object, const char *property, QAccessible::InterfaceFactory factory,
                    QAccessible::Role role);

} // namespace vantrel::accessibility
