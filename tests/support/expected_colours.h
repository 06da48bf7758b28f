#pragma once

#include <QColor>

// The converter window's palette as the tests expect to see it on screen.
namespace vantrel::testing::colours {

inline const QColor kWindowBackground(250, 250, 250);
inline const QColor kTabStrip(0, 80, 240);
inline const QColor kActive(0, 160, 240);
inline const QColor kIdle(170, 230, 240);
inline const QColor kInvalid(255, 128, 128);
inline const QColor kWhite(255, 255, 255);

} // namespace vantrel::testing::colours
