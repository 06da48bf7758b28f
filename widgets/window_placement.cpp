// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vantrel {

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace vantrel
