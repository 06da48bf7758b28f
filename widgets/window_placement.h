// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <Qt>

class QWidget;

namespace vantrel {

// A window with a title bar and a fixed single border: it can be minimised
// and closed, never maximised or resized.
inline constexpr Qt::WindowFlags kFixedSizeWindow =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// The frame that the window manager draws around a top-level window: the one
// it reports, or before it has framed the window, the one it says it will
// draw, else the frame of another framed window of the program, else none.
QMargins frameMargins(QWidget *window);

// Moves a top-level window so that the top-left corner of its frame, as the
// window manager shows it, lands at topLeft.
void moveFrameTo(QWidget *window, QPoint topLeft);

// Centres a top-level window's frame on a point of the desktop, or on the
// screen's available area, and returns the frame's new top-left corner.
QPoint centreOn(QWidget *window, QPoint centre);
QPoint centreOnScreen(QWidget *window);

} // namespace vantrel
