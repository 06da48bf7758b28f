// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

// Positions and sizes are designed in twips, 15 to a device-independent pixel.
// A widget placed in twips keeps its twips geometry as the truth, so moves by
// whole twips never drift through pixel rounding.
namespace vantrel::twips {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, halves away from zero.
[[nodiscard]] constexpr int toPixels(int twips)
{
    return twips >= 0 ? (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel)
                      : -((-2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel));
}

[[nodiscard]] constexpr QRect toPixels(const QRect &twips)
{
    return {toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()),
            toPixels(twips.height())};
}

// Places a child widget at a rectangle given in twips, relative to its parent.
void place(QWidget *widget, const QRect &twips);

// The twips rectangle a widget was last placed at.
[[nodiscard]] QRect geometry(const QWidget *widget);

void move(QWidget *widget, const QPoint &topLeftTwips);

// Sizes a top-level window's client area in twips and keeps it fixed.
void setFixedClientSize(QWidget *window, const QSize &sizeTwips);

} // namespace vantrel::twips
