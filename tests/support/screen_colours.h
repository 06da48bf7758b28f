// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "palette_use.h"

#include <QColor>
#include <QWidget>

// The colours a widget shows on screen, read back from its palette.
namespace vantrel::testing {

[[nodiscard]] inline QColor background(const QWidget *widget)
{
    return widget->palette().color(palette::backgroundRole(widget));
}

[[nodiscard]] inline QColor textColour(const QWidget *widget)
{
    return widget->palette().color(palette::textRole(widget));
}

} // namespace vantrel::testing
