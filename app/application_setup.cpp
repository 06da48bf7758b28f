// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_setup.h"

#include "application.h"
#include "house_look.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vantrel::app {
namespace {

void installSpanishStandardTexts(QApplication &application)
{
    auto *translator = new QTranslator(&application);
    // Without the translations installed the standard texts stay in English.
    if (translator->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace

void preferPlaceableWindows()
{
    // Qt reads the variable when QApplication is made; -platform overrides it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    }
}

void setUpApplication(QApplication &application)
{
    QApplication::setApplicationName(applicationTitle());
    QApplication::setWindowIcon(applicationIcon());
    QApplication::setDesktopFileName(QStringLiteral("com.tarnwick.Vantrel"));
    look::pinStyle();
    installSpanishStandardTexts(application);
}

} // namespace vantrel::app
