#pragma once

#include <QMessageBox>

// The program's message boxes: modal to their window, one OK button, the
// application title.
namespace vantrel::app {

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text);

} // namespace vantrel::app
