#pragma once

#include <QColor>

class QWidget;

// Colours go through palettes, never style sheets, so that the palette is what
// shows on screen: the base colour for text fields, the button colour for
// buttons, the window colour (filled) for everything else.
namespace vantrel::palette {

void setBackground(QWidget *widget, const QColor &colour);
[[nodiscard]] QColor background(const QWidget *widget);

// Labels drawn straight onto their parent's background.
void setTransparent(QWidget *widget);

void setTextColour(QWidget *widget, const QColor &colour);
[[nodiscard]] QColor textColour(const QWidget *widget);

} // namespace vantrel::palette
