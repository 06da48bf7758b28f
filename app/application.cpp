#include "application.h"

#include "frmAscii.h"
#include "frmInicio.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

namespace vantrel::app {
namespace {

// The application's state: one string and a guarded pointer per window, which
// goes null when its window is deleted on close.
struct ApplicationState
{
    QString tableFontName = QStringLiteral("Arial");
    QPointer<frmAscii> converterWindow;
    QPointer<frmInicio> startupWindow;
};

ApplicationState &state()
{
    static ApplicationState instance;
    return instance;
}

template <typename Window> Window &existingOrNew(QPointer<Window> &window)
{
    if (!window) {
        window = new Window;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *window;
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

QString tableFontName()
{
    return state().tableFontName;
}

void setTableFontName(const QString &name)
{
    state().tableFontName = name;
}

frmAscii *existingConverterWindow()
{
    return state().converterWindow;
}
frmInicio *existingStartupWindow()
{
    return state().startupWindow;
}

frmAscii &converterWindow()
{
    return existingOrNew(state().converterWindow);
}
frmInicio &startupWindow()
{
    return existingOrNew(state().startupWindow);
}

void endProcess()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace vantrel::app
