// SPDX-License-Identifier: GPL-3.0-or-later
#include "held_input.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace vantrel {
namespace {

// What the user does with keys, pointers and the window manager.
bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Every format of a drop, read now: a drop from another program can be read
// only while it lasts.
std::unique_ptr<QMimeData> copyOf(const QMimeData *data)
{
    auto copy = std::make_unique<QMimeData>();
    if (data) {
        for (const QString &format : data->formats()) {
            copy->setData(format, data->data(format));
        }
    }
    return copy;
}

// A drop handed on: entered, moved over and dropped, as a drag ends.
void dropAgain(QWidget &target, const QDropEvent &drop, const QMimeData &data)
{
    const QPointF position = drop.position();
    QDragEnterEvent enter(position.toPoint(), drop.possibleActions(), &data, drop.buttons(),
                          drop.modifiers());
    QCoreApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) {
        return;
    }
    QDragMoveEvent move(position.toPoint(), drop.possibleActions(), &data, drop.buttons(),
                        drop.modifiers());
    QCoreApplication::sendEvent(&target, &move);
    QDropEvent again(position, drop.possibleActions(), &data, drop.buttons(), drop.modifiers());
    QCoreApplication::sendEvent(&target, &again);
}

// A key handed to a window goes through the shortcuts first, as the window
// system's keys do.
void pressAgain(QWindow &window, const QKeyEvent &key)
{
    if (key.type() == QEvent::KeyPress &&
        QWindowSystemInterface::handleShortcutEvent(&window, key.timestamp(), key.key(),
                                                    key.modifiers(), key.nativeScanCode(),
                                                    key.nativeVirtualKey(), key.nativeModifiers(),
                                                    key.text(), key.isAutoRepeat(), key.count())) {
        return;
    }
    std::unique_ptr<QEvent> copy(key.clone());
    QCoreApplication::sendEvent(&window, copy.get());
}

} // namespace

HeldInput::Hold::Hold()
{
    HeldInput &input = instance();
    if (input.m_holds++ == 0 && input.m_held.empty()) {
        QCoreApplication::instance()->installEventFilter(&input);
    }
}

HeldInput::Hold::~Hold()
{
    instance().release();
}

HeldInput::HeldInput(QObject *parent) : QObject(parent)
{}

HeldInput::~HeldInput() = default;

HeldInput &HeldInput::instance()
{
    // A child of the application, gone with it.
    static QPointer<HeldInput> input;
    if (!input) {
        input = new HeldInput(QCoreApplication::instance());
    }
    return *input;
}

bool HeldInput::isHolding()
{
    return instance().waits();
}

void HeldInput::runInOrder(std::function<void()> action)
{
    if (!isHolding()) {
        action();
        return;
    }
    instance().m_held.push_back({nullptr, nullptr, nullptr, std::move(action)});
}

bool HeldInput::waits() const
{
    // While held input is handed on, what it opens (a menu, a dialog) takes
    // input at once, unless something holds input again.
    return m_holds > 0 || (!m_held.empty() && !m_handingOn);
}

bool HeldInput::holds(QObject *receiver, const QEvent &event) const
{
    if (!waits()) {
        return false;
    }
    const QEvent::Type type = event.type();
    if (type == QEvent::InputMethod || type == QEvent::Drop) {
        return receiver->isWidgetType();
    }
    if (receiver->isWindowType()) {
        return type == QEvent::Close || isInput(type);
    }
    // Input sent straight to a widget, as the window system never does but
    // a program may.
    return receiver->isWidgetType() && event.spontaneous() && isInput(type);
}

bool HeldInput::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && waits()) {
        // Claimed for the widget, so no shortcut fires now: the key itself
        // comes next, and waits with the rest.
        event->accept();
        return true;
    }
    if (!holds(watched, *event)) {
        return false;
    }
    hold(watched, *event);
    return true;
}

void HeldInput::hold(QObject *receiver, QEvent &event)
{
    Held held{receiver, std::unique_ptr<QEvent>(event.clone()), nullptr, {}};
    if (event.type() == QEvent::Drop) {
        // Taken now, so the source finishes its drag as for any drop.
        auto &drop = static_cast<QDropEvent &>(event);
        held.dropped = copyOf(drop.mimeData());
        drop.acceptProposedAction();
    } else {
        event.accept();
    }
    m_held.push_back(std::move(held));
}

void HeldInput::release()
{
    if (--m_holds == 0) {
        // Later, from the event loop: a hold may end in a destructor, where
        // input must not run.
        QMetaObject::invokeMethod(this, &HeldInput::handOn, Qt::QueuedConnection);
    }
}

void HeldInput::handOn()
{
    if (m_holds > 0 || m_handingOn) {
        return;
    }
    m_handingOn = true;
    // Until a handed-on key starts another hold: the rest then waits for it.
    while (!m_held.empty() && m_holds == 0) {
        Held held = std::move(m_held.front());
        m_held.pop_front();
        deliver(held);
    }
    m_handingOn = false;
    if (m_held.empty() && m_holds == 0) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void HeldInput::deliver(Held &held)
{
    if (held.action) {
        held.action();
        return;
    }
    if (!held.receiver) {
        return; // gone meanwhile, with the window the input was for
    }
    QEvent &event = *held.event;
    auto *window = qobject_cast<QWindow *>(held.receiver.data());
    if (window && (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease)) {
        pressAgain(*window, static_cast<const QKeyEvent &>(event));
    } else if (window && event.type() == QEvent::Close) {
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
            window);
    } else if (event.type() == QEvent::Drop) {
        if (auto *widget = qobject_cast<QWidget *>(held.receiver.data())) {
            dropAgain(*widget, static_cast<const QDropEvent &>(event), *held.dropped);
        }
    } else {
        QCoreApplication::sendEvent(held.receiver.data(), &event);
    }
}

} // namespace vantrel
