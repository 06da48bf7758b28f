// SPDX-License-Identifier: GPL-3.0-or-later
#include "held_input.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
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

// Whether a modal window takes the input that would reach `window` now, as
// Qt decides for the window system's input: an application-modal one
// blocks every window but its own, a window-modal one its parents.
bool isBlockedByModal(const QWindow &window)
{
    const QWindow *modal = QGuiApplication::modalWindow();
    if (!modal || modal == &window) {
        return false;
    }
    for (const QWindow *own = window.transientParent(); own; own = own->transientParent()) {
        if (own == modal) {
            return false;
        }
    }
    if (modal->modality() == Qt::WindowModal) {
        for (const QWindow *parent = modal->transientParent(); parent;
             parent = parent->transientParent()) {
            if (parent == &window) {
                return true;
            }
        }
        return false;
    }
    return true;
}

// Whether the window of a window or a widget is under a modal one.
bool isUnderDialog(QObject &receiver)
{
    QWindow *window = qobject_cast<QWindow *>(&receiver);
    if (auto *widget = qobject_cast<QWidget *>(&receiver)) {
        window = widget->window()->windowHandle();
    }
    return window && isBlockedByModal(*window);
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
    return m_holds > 0 || !m_held.empty();
}

// What is being handed on passes: the event itself where it reaches a
// window, what Qt makes of it on its way to a widget, and what the window
// system's interface sends while it handles a key or a close. New input
// waits behind what is still held, also when what was handed on opened a
// dialog or a menu that runs its own event loop.
bool HeldInput::holds(QObject *receiver, const QEvent &event) const
{
    if (!waits()) {
        return false;
    }
    const QEvent::Type type = event.type();
    if (receiver->isWindowType()) {
        return &event != m_delivered && !m_inWindowSystem &&
               (type == QEvent::Close || isInput(type));
    }
    if (!receiver->isWidgetType() || m_delivered) {
        return false;
    }
    // Input sent straight to a widget, as the window system never does but
    // a program may; drops and input-method text always reach a widget.
    return type == QEvent::InputMethod || type == QEvent::Drop ||
           (event.spontaneous() && isInput(type));
}

bool HeldInput::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && waits() && !m_delivered && !m_inWindowSystem) {
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
        handOnLater();
    }
}

void HeldInput::handOnLater()
{
    QMetaObject::invokeMethod(this, &HeldInput::handOn, Qt::QueuedConnection);
}

// One held input a pass of the event loop, the next one asked for first: if
// this one opens a dialog, the input after it reaches the dialog from the
// dialog's own loop, as it would have without the wait.
void HeldInput::handOn()
{
    if (m_holds > 0) {
        return; // a new hold hands on when it ends
    }
    if (m_held.empty()) {
        QCoreApplication::instance()->removeEventFilter(this);
        return;
    }
    Held held = std::move(m_held.front());
    m_held.pop_front();
    handOnLater();
    const QEvent *outer = std::exchange(m_delivered, held.event.get());
    deliver(held);
    m_delivered = outer;
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
    const bool isKey = event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease;
    if (window && isKey && QGuiApplication::focusWindow()) {
        // Keys go where the focus is now: into a dialog that input handed
        // on before them opened, say.
        window = QGuiApplication::focusWindow();
        held.receiver = window;
    } else if (isUnderDialog(*held.receiver) && event.type() != QEvent::Close) {
        return; // as the window system's input to a window under a dialog
    }
    if (window && event.type() == QEvent::KeyPress && isShortcut(*window, event)) {
        return;
    }
    if (window && event.type() == QEvent::Close) {
        m_inWindowSystem = true;
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
            window);
        m_inWindowSystem = false;
    } else if (event.type() == QEvent::Drop) {
        if (auto *widget = qobject_cast<QWidget *>(held.receiver.data())) {
            dropAgain(*widget, static_cast<const QDropEvent &>(event), *held.dropped);
        }
    } else {
        QCoreApplication::sendEvent(held.receiver.data(), &event);
    }
}

// A key handed to a window goes through the shortcuts first, as the window
// system's keys do; true when one took it.
bool HeldInput::isShortcut(QWindow &window, const QEvent &event)
{
    const auto &key = static_cast<const QKeyEvent &>(event);
    m_inWindowSystem = true;
    const bool taken = QWindowSystemInterface::handleShortcutEvent(
        &window, key.timestamp(), key.key(), key.modifiers(), key.nativeScanCode(),
        key.nativeVirtualKey(), key.nativeModifiers(), key.text(), key.isAutoRepeat(), key.count());
    m_inWindowSystem = false;
    return taken;
}

} // namespace vantrel
