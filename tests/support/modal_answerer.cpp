#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

namespace vantrel::testing {

ModalAnswerer::ModalAnswerer(int pollMs)
{
    connect(&m_poll, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            texts << box->text();
            titles << box->windowTitle();
            icons << box->icon();
            buttonCounts << box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->accept();
        }
    });
    m_poll.start(pollMs);
}

} // namespace vantrel::testing
