// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// Colours go through palettes, never style sheets, so that the palette is what
// shows on screen: the base colour for text fields, the button colour for
// buttons, the window colour (filled) for everything else.
namespace vantrel::palette {

// The roles a widget's background and text are drawn with.
[[nodiscard]] QPalette::ColorRole backgroundRole(const QWidget *widget);
[[nodiscard]] QPalette::ColorRole textRole(const QWidget *widget);

void setBackground(QWidget *widget, const QColor &colour);

// Labels drawn straight onto their parent's background.
void setTransparent(QWidget *widget);

void setTextColour(QWidget *widget, const QColor &colour);

} // namespace vantrel::palette
