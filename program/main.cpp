// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "application_setup.h"
#include "command_line.h"
#include "frmInicio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // --help and --version work without a display, so before QApplication.
    if (const std::optional<int> status = vantrel::startup::answerCommandLine(argc, argv)) {
        return *status;
    }
    vantrel::app::preferPlaceableWindows();
    QApplication application(argc, argv);
    vantrel::app::setUpApplication(application);
    vantrel::app::startupWindow().show();
    return QApplication::exec();
}
