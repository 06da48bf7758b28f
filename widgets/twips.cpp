// SPDX-License-Identifier: GPL-3.0-or-later
#include "twips.h"

#include <QVariant>
#include <QWidget>

namespace vantrel::twips {
namespace {
constexpr char kGeometryProperty[] = "twipsGeometry";
}

void place(QWidget *widget, const QRect &twips)
{
    widget->setProperty(kGeometryProperty, twips);
    widget->setGeometry(toPixels(twips));
}

QRect geometry(const QWidget *widget)
{
    return widget->property(kGeometryProperty).toRect();
}

void move(QWidget *widget, const QPoint &topLeftTwips)
{
    place(widget, QRect(topLeftTwips, geometry(widget).size()));
}

void setFixedClientSize(QWidget *window, const QSize &sizeTwips)
{
    window->setFixedSize(toPixels(sizeTwips.width()), toPixels(sizeTwips.height()));
}

} // namespace vantrel::twips
