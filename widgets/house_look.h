// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPalette;
class QWidget;

// The look of the program's own windows, fixed whatever the desktop sets:
// every colour role they draw with, and the widget style that draws them.
namespace vantrel::look {

// Qt's light default colours with every role of every colour group set, so
// that nothing is left for the desktop's palette to fill in.
[[nodiscard]] QPalette housePalette();

// Gives a window the house palette. Its children inherit it instead of the
// application's palette, so a desktop theme (or a change of theme while the
// program runs) reaches none of them; colours set on a child stay its own.
void pinPalette(QWidget *window);

// The one widget style the windows are drawn in, whatever style the desktop
// asks for; set once for the whole application.
void pinStyle();

} // namespace vantrel::look
