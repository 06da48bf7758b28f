#include "fresh_windows.h"

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

} // namespace vantrel::testing
