// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>

class QMimeData;
class QWindow;

// While some work of the program must look instant to the user (a large
// paste being converted), the user's input to every window waits: keys,
// clicks, wheel turns, drops (from this program or another), text from an
// input method, the window manager's close and edits asked for by assistive
// technologies. It is held in the order it came and handed on once the
// work is done, as if the work had taken no time. The event loop keeps
// running meanwhile, so the windows repaint and their timers run.
//
// Input is taken where the window system hands it to a window, before any
// widget sees it; keys go back through the window system's interface, so
// shortcuts apply to them as to any key.
namespace vantrel {

class HeldInput : public QObject
{
    Q_OBJECT
public:
    // Holds input while it lives.
    class Hold
    {
    public:
        Hold();
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;
    };

    ~HeldInput() override;

    // Whether input waits now.
    [[nodiscard]] static bool isHolding();
    // Runs `action` now, or after the input held before it.
    static void runInOrder(std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Held
    {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
        std::unique_ptr<QMimeData> dropped; // a drop's data, copied as it came
        std::function<void()> action;       // instead of an event
    };

    explicit HeldInput(QObject *parent);
    static HeldInput &instance();
    [[nodiscard]] bool waits() const;
    [[nodiscard]] bool holds(QObject *receiver, const QEvent &event) const;
    void hold(QObject *receiver, QEvent &event);
    void release();
    void handOnLater();
    void handOn();
    void deliver(Held &held);
    bool isShortcut(QWindow &window, const QEvent &event);

    int m_holds = 0;
    std::deque<Held> m_held;
    const QEvent *m_delivered = nullptr; // the held input being handed on
    bool m_inWindowSystem = false;       // while the window system's interface hands on
};

} // namespace vantrel
