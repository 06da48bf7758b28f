// SPDX-License-Identifier: GPL-3.0-or-later
#include "painted_widgets.h"

#include <QPainter>

namespace vantrel {

ShapeWidget::ShapeWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setFillColour(const QColor &colour)
{
    m_fillColour = colour;
    update();
}

void ShapeWidget::setBorderColour(const QColor &colour)
{
    m_borderColour = colour;
    update();
}

void ShapeWidget::setFilled(bool filled)
{
    m_filled = filled;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_filled) {
        painter.fillRect(rect(), m_fillColour);
    }
    painter.setPen(QPen(m_borderColour, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ImageWidget::ImageWidget(const QIcon &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture)
{}

void ImageWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    m_picture.paint(&painter, rect());
}

} // namespace vantrel
