// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace vantrel::x11 {

// What an X11 window manager is told, or asked, beyond what Qt tells it.
// Outside X11 (offscreen, Wayland) each does nothing.

// The frame extents the window manager reports for the window (left, top,
// right, bottom): the frame it drew, or before the window is mapped, the one
// it will draw. Asked for and waited on (a few milliseconds at most) when the
// window manager has not said yet; nothing when it does not tell.
std::optional<QMargins> frameExtents(QWidget *window);

// Asks the window manager to draw no title bar or border around the window,
// whatever its type (Qt leaves the Motif hint off a splash screen).
void askForNoDecoration(QWidget *window);

} // namespace vantrel::x11
