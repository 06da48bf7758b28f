// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_state.h"

#include "vantrel_version.h"

#include <QApplication>
#include <QIcon>

namespace vantrel::app {
namespace {

QString &tableFont()
{
    static QString name = QStringLiteral("Arial");
    return name;
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Vantrel");
}

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/vantrel/vantrel.svg"));
}

Version version()
{
    return {build::kVersionMajor, build::kVersionMinor, build::kVersionPatch};
}

QString tableFontName()
{
    return tableFont();
}

void setTableFontName(const QString &name)
{
    tableFont() = name;
}

void endProcess()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace vantrel::app
