// SPDX-License-Identifier: GPL-3.0-or-later
#include "clickable_label.h"

#include <QMouseEvent>

namespace vantrel {

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        Q_EMIT pressed();
    }
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    Q_EMIT released();
    if (rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
    event->accept();
}

} // namespace vantrel
