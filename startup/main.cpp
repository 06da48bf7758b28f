#include "application.h"
#include "command_line.h"
#include "frmInicio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // --help and --version work without a display, so before QApplication.
    if (const std::optional<int> status = vantrel::startup::answerCommandLine(argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(vantrel::app::applicationTitle());
    QApplication::setWindowIcon(vantrel::app::applicationIcon());
    QApplication::setDesktopFileName(QStringLiteral("com.tarnwick.Vantrel"));
    vantrel::app::startupWindow().show();
    return QApplication::exec();
}
