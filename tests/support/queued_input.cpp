// SPDX-License-Identifier: GPL-3.0-or-later
#include "queued_input.h"

#include "held_input.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace vantrel::testing {
namespace {

using Delivery = QWindowSystemInterface::AsynchronousDelivery;

QWindow *windowOf(const QWidget *widget)
{
    return widget->window()->windowHandle();
}

void queueMouse(QWidget *widget, QPoint point, Qt::MouseButtons state, QEvent::Type type)
{
    const QPointF local = widget->mapTo(widget->window(), point);
    const QPointF global = widget->mapToGlobal(point);
    QWindowSystemInterface::handleMouseEvent<Delivery>(windowOf(widget), local, global, state,
                                                       Qt::LeftButton, type);
}

} // namespace

void queueKeyClick(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers,
                   const QString &text)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWindowSystemInterface::handleKeyEvent<Delivery>(windowOf(widget), type, key, modifiers,
                                                         text);
    }
}

void queueKeyClicks(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        queueKeyClick(widget, Qt::Key(c.toUpper().unicode()), {}, QString(c));
    }
}

void queueMouseClick(QWidget *widget, QPoint point)
{
    if (point == QPoint(-1, -1)) {
        point = widget->rect().center();
    }
    queueMouse(widget, point, Qt::LeftButton, QEvent::MouseButtonPress);
    queueMouse(widget, point, Qt::NoButton, QEvent::MouseButtonRelease);
}

void queueClose(QWidget *widget)
{
    QWindowSystemInterface::handleCloseEvent<Delivery>(windowOf(widget));
}

void takeQueuedInput()
{
    QWindowSystemInterface::flushWindowSystemEvents();
}

void handOnHeldInput()
{
    while (HeldInput::isHolding()) {
        QCoreApplication::processEvents();
    }
}

} // namespace vantrel::testing
