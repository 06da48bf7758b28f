// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "frmInicio.h"
#include "message_box.h"

#include <QApplication>
#include <QPointer>

namespace vantrel::app {
namespace {

// A guarded pointer per window, which goes null when its window is deleted
// on close.
struct ApplicationState
{
    QPointer<frmAscii> converterWindow;
    QPointer<frmAsciiColl> asciiTableWindow;
    QPointer<frmInicio> startupWindow;
};

ApplicationState &state()
{
    static ApplicationState instance;
    return instance;
}

// The window, created when there is none; a new window gets its navigation
// requests connected.
template <typename Window>
Window &existingOrNew(QPointer<Window> &window, void (*connectNavigation)(Window &))
{
    if (!window) {
        window = new Window;
        window->setAttribute(Qt::WA_DeleteOnClose);
        connectNavigation(*window);
    }
    return *window;
}

void connectConverterWindow(frmAscii &window)
{
    QObject::connect(&window, &frmAscii::asciiTableWanted, [] { openAsciiTableWindow(); });
}

void connectAsciiTableWindow(frmAsciiColl &window)
{
    QObject::connect(&window, &frmAsciiColl::fontChosen, [] { reopenAsciiTableWindow(); });
}

void connectStartupWindow(frmInicio &window)
{
    QObject::connect(&window, &frmInicio::handOverDue, [] { converterWindow().show(); });
}

} // namespace

frmAscii *existingConverterWindow()
{
    return state().converterWindow;
}

frmAscii &converterWindow()
{
    return existingOrNew(state().converterWindow, connectConverterWindow);
}
frmAsciiColl &asciiTableWindow()
{
    // A table that was shown and is hidden again was closed: it is deleted
    // once the event loop next runs, so a request before that gets a new one.
    QPointer<frmAsciiColl> &table = state().asciiTableWindow;
    if (table && table->isHidden() && table->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
        table.clear();
    }
    return existingOrNew(table, connectAsciiTableWindow);
}
frmInicio &startupWindow()
{
    return existingOrNew(state().startupWindow, connectStartupWindow);
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

} // namespace vantrel::app
