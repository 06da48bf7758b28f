#include "application.h"
#include "application_setup.h"
#include "frmInicio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    vantrel::app::setUpApplication(application);
    vantrel::app::startupWindow().show();
    return QApplication::exec();
}
