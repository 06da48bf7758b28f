#include "message_box.h"

#include "application.h"

namespace vantrel::app {

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

} // namespace vantrel::app
