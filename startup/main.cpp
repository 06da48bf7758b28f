#include "application.h"
#include "frmInicio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(vantrel::app::applicationTitle());
    QApplication::setWindowIcon(vantrel::app::applicationIcon());
    QApplication::setDesktopFileName(QStringLiteral("vantrel"));
    vantrel::app::startupWindow().show();
    return QApplication::exec();
}
