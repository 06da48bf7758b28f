// SPDX-License-Identifier: GPL-3.0-or-later
#include "house_look.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace vantrel::look {
namespace {

struct RoleColour
{
    QPalette::ColorRole role;
    QRgb enabled;  // active and inactive windows alike
    QRgb disabled; // greyed-out elements, such as the bit-mode buttons at start
};

constexpr RoleColour kRoleColours[] = {
    {QPalette::WindowText, qRgb(0, 0, 0), qRgb(190, 190, 190)},
    {QPalette::Button, qRgb(239, 239, 239), qRgb(239, 239, 239)},
    {QPalette::Light, qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {QPalette::Midlight, qRgb(202, 202, 202), qRgb(202, 202, 202)},
    {QPalette::Dark, qRgb(159, 159, 159), qRgb(190, 190, 190)},
    {QPalette::Mid, qRgb(184, 184, 184), qRgb(184, 184, 184)},
    {QPalette::Text, qRgb(0, 0, 0), qRgb(190, 190, 190)},
    {QPalette::BrightText, qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {QPalette::ButtonText, qRgb(0, 0, 0), qRgb(190, 190, 190)},
    {QPalette::Base, qRgb(255, 255, 255), qRgb(239, 239, 239)},
    {QPalette::Window, qRgb(239, 239, 239), qRgb(239, 239, 239)},
    {QPalette::Shadow, qRgb(118, 118, 118), qRgb(177, 177, 177)},
    {QPalette::Highlight, qRgb(48, 140, 198), qRgb(145, 145, 145)},
    {QPalette::HighlightedText, qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {QPalette::Link, qRgb(0, 0, 255), qRgb(0, 0, 255)},
    {QPalette::LinkVisited, qRgb(255, 0, 255), qRgb(255, 0, 255)},
    {QPalette::AlternateBase, qRgb(247, 247, 247), qRgb(247, 247, 247)},
    {QPalette::NoRole, qRgb(0, 0, 0), qRgb(0, 0, 0)},
    {QPalette::ToolTipBase, qRgb(255, 255, 220), qRgb(255, 255, 220)},
    {QPalette::ToolTipText, qRgb(0, 0, 0), qRgb(0, 0, 0)},
    {QPalette::PlaceholderText, qRgb(128, 128, 128), qRgb(190, 190, 190)},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    {QPalette::Accent, qRgb(48, 140, 198), qRgb(145, 145, 145)},
#endif
};
static_assert(std::size(kRoleColours) == QPalette::NColorRoles, "every colour role is pinned");

} // namespace

QPalette housePalette()
{
    QPalette palette;
    for (const RoleColour &colour : kRoleColours) {
        // Setting a role marks it as the widget's own, so it is never taken
        // from the application's palette.
        palette.setColor(QPalette::Active, colour.role, QColor(colour.enabled));
        palette.setColor(QPalette::Inactive, colour.role, QColor(colour.enabled));
        palette.setColor(QPalette::Disabled, colour.role, QColor(colour.disabled));
    }
    return palette;
}

void pinPalette(QWidget *window)
{
    window->setPalette(housePalette());
}

void pinStyle()
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
}

} // namespace vantrel::look
