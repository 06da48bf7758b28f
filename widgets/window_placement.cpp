// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_placement.h"

#include "x11_window_manager.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace vantrel {
namespace {

// The frame Qt has learnt of so far: none until the window manager framed
// the window and Qt read the news.
QMargins marginsKnownToQt(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// Another shown window of the program with a frame: the window manager gives
// windows of one kind the same one.
QMargins marginsOfAnotherWindow(const QWidget *window)
{
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget *other : windows) {
        if (other != window && other->isVisible() && !other->isMinimized()) {
            const QMargins margins = marginsKnownToQt(other);
            if (!margins.isNull()) {
                return margins;
            }
        }
    }
    return {};
}

} // namespace

QMargins frameMargins(QWidget *window)
{
    if (const std::optional<QMargins> reported = x11::frameExtents(window)) {
        return *reported;
    }
    const QMargins known = marginsKnownToQt(window);
    return known.isNull() ? marginsOfAnotherWindow(window) : known;
}

void moveFrameTo(QWidget *window, QPoint topLeft)
{
    // move() places the frame as far as Qt knows it; where it knows less
    // than the window manager shows, the difference is added.
    const QMargins frame = frameMargins(window);
    const QMargins known = marginsKnownToQt(window);
    window->move(topLeft + QPoint(frame.left() - known.left(), frame.top() - known.top()));
}

QPoint centreOn(QWidget *window, QPoint centre)
{
    QRect frame = window->geometry().marginsAdded(frameMargins(window));
    frame.moveCenter(centre);
    moveFrameTo(window, frame.topLeft());
    return frame.topLeft();
}

QPoint centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? centreOn(window, screen->availableGeometry().center()) : window->pos();
}

} // namespace vantrel
