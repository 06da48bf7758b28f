// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

class QWidget;

namespace vantrel {

// A window with a title bar and a fixed single border: it can be minimised
// and closed, never maximised or resized.
inline constexpr Qt::WindowFlags kFixedSizeWindow =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Moves a top-level window to the centre of the screen's available area.
void centreOnScreen(QWidget *window);

} // namespace vantrel
