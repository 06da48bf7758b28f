// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_button.h"

#include "house_colours.h"

#include <QPainter>

namespace vantrel {

PictureButton::PictureButton(const QIcon &picture, QWidget *parent) : QAbstractButton(parent)
{
    setIcon(picture);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize PictureButton::sizeHint() const
{
    return {25, 25};
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    QRect pictureRect = rect();
    if (isDown()) {
        pictureRect.translate(0, 1);
    }
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    icon().paint(&painter, pictureRect, Qt::AlignCenter, mode);
    if (isDown() || underMouse()) {
        painter.setPen(Qt::NoPen);
        QColor tint = colours::kTabStrip;
        tint.setAlpha(isDown() ? 60 : 25);
        painter.setBrush(tint);
        painter.drawEllipse(QRectF(pictureRect).adjusted(1, 1, -1, -1));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75));
    }
}

} // namespace vantrel
