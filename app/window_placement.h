#pragma once

class QWidget;

namespace vantrel {

// Moves a top-level window to the centre of the screen's available area.
void centreOnScreen(QWidget *window);

} // namespace vantrel
