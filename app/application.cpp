#include "application.h"

#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "frmInicio.h"
#include "message_box.h"

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
    QPointer<frmAsciiColl> asciiTableWindow;
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

Version version()
{
    return {VANTREL_VERSION_MAJOR, VANTREL_VERSION_MINOR, VANTREL_VERSION_PATCH};
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
frmAsciiColl *existingAsciiTableWindow()
{
    return state().asciiTableWindow;
}
frmInicio *existingStartupWindow()
{
    return state().startupWindow;
}

frmAscii &converterWindow()
{
    const bool created = !state().converterWindow;
    frmAscii &window = existingOrNew(state().converterWindow);
    if (created) {
        QObject::connect(&window, &frmAscii::asciiTableWanted, [] { openAsciiTableWindow(); });
    }
    return window;
}
frmAsciiColl &asciiTableWindow()
{
    return existingOrNew(state().asciiTableWindow);
}
frmInicio &startupWindow()
{
    return existingOrNew(state().startupWindow);
}

void openAsciiTableWindow()
{
    frmAsciiColl &window = asciiTableWindow();
    if (!window.isVisible()) {
        if (!window.loadedFont()) {
            showMessage(existingConverterWindow(), QMessageBox::Critical,
                        QStringLiteral("Esta fuente no existe en el equipo."));
        }
        window.show();
    }
    if (window.isMinimized()) {
        window.showNormal();
    }
    window.raise();
    window.activateWindow();
}

void reopenAsciiTableWindow()
{
    if (QPointer<frmAsciiColl> old = state().asciiTableWindow) {
        state().asciiTableWindow.clear();
        old->close(); // deleted later; a fresh window takes its place now
    }
    openAsciiTableWindow();
}

void endProcess()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace vantrel::app
