// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessible_kind.h"

#include <QList>
#include <QObject>

namespace vantrel::accessibility {

void markForFactory(QObject *object, const char *property, QAccessible::InterfaceFactory factory,
                    QAccessible::Role role)
{
    static QList<QAccessible::InterfaceFactory> installed;
    if (!installed.contains(factory)) {
        QAccessible::installFactory(factory);
        installed.append(factory);
    }
    object->setProperty(property, true);
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(object);
        made && made->role() != role) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace vantrel::accessibility
