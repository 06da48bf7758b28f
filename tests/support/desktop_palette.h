// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

namespace vantrel::testing {

// A dark desktop theme's palette, as Breeze Dark and the like set it.
inline QPalette darkDesktopPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(35, 38, 41));
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(35, 38, 41));
    dark.setColor(QPalette::Button, QColor(49, 54, 59));
    for (QPalette::ColorRole text : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText,
                                     QPalette::ToolTipText, QPalette::BrightText}) {
        dark.setColor(text, QColor(252, 252, 252));
    }
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(100, 100, 100));
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    dark.setColor(QPalette::HighlightedText, QColor(252, 252, 252));
    dark.setColor(QPalette::Light, QColor(64, 70, 76));
    dark.setColor(QPalette::Mid, QColor(40, 44, 48));
    dark.setColor(QPalette::Dark, QColor(20, 22, 24));
    dark.setColor(QPalette::Shadow, QColor(0, 0, 0));
    return dark;
}

} // namespace vantrel::testing
