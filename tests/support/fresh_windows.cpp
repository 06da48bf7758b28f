// SPDX-License-Identifier: GPL-3.0-or-later
#include "fresh_windows.h"

#include "frmAsciiColl.h"

#include <QApplication>
#include <QPointer>

namespace vantrel::testing {

void destroyAllWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        windows.append(window);
    }
    for (const QPointer<QWidget> &window : windows) {
        delete window.data();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

frmAsciiColl *openTableWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *table = qobject_cast<frmAsciiColl *>(window);
        if (table && table->isVisible()) {
            return table;
        }
    }
    return nullptr;
}

} // namespace vantrel::testing
