// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace vantrel {
class frmAsciiColl;
}

namespace vantrel::testing {

// Deletes every top-level window, so that the next test starts from fresh ones.
void destroyAllWindows();

// The table window that is open (shown, minimised or not), or nullptr; a
// table closed for a change of font no longer counts.
[[nodiscard]] frmAsciiColl *openTableWindow();

// The element of a window with that objectName, failing the test when absent.
template <typename Element> Element *element(const QWidget *window, const QString &name);

} // namespace vantrel::testing

#include <QTest>
#include <QWidget>

template <typename Element>
Element *vantrel::testing::element(const QWidget *window, const QString &name)
{
    auto *found = window->findChild<Element *>(name);
    if (!found) {
        QTest::qFail(qPrintable(QStringLiteral("no element %1").arg(name)), __FILE__, __LINE__);
    }
    return found;
}
