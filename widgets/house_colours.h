// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The program's own colours: the windows', the painted widgets' and the ones
// the tests expect on screen.
namespace vantrel::colours {

// The converter window.
inline const QColor kWindowBackground(250, 250, 250);
inline const QColor kTabStrip(0, 80, 240);
inline const QColor kActive(0, 160, 240);
inline const QColor kIdle(170, 230, 240);
inline const QColor kInvalid(255, 128, 128);
inline const QColor kWhite(255, 255, 255);

// The ASCII table's columns and the start-up window's bands.
inline const QColor kStrongBlue(0, 162, 232);
inline const QColor kPaleBlue(175, 225, 239);
inline const QColor kCrossing(35, 147, 180);
inline const QColor kCloseLabelPressed(224, 224, 224);

} // namespace vantrel::colours
