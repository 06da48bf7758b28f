// SPDX-License-Identifier: GPL-3.0-or-later
#include "manual_clock.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QTimerEvent>
#include <QWidget>
#include <algorithm>

namespace vantrel::testing {

namespace {

// The timeout a test is stepping by hand, which the clock lets through.
const QEvent *steppedTimeout = nullptr;

bool isWindowTimer(const QObject *object)
{
    const auto *timer = qobject_cast<const QTimer *>(object);
    return timer && !timer->objectName().isEmpty() && timer->parent() &&
           timer->parent()->isWidgetType();
}

// The windows' timers in an order that does not depend on where they live in
// memory: by window class, then by name.
QList<QTimer *> windowTimers()
{
    QList<QTimer *> timers;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (QTimer *timer : window->findChildren<QTimer *>()) {
            if (isWindowTimer(timer)) {
                timers << timer;
            }
        }
    }
    const auto key = [](const QTimer *timer) {
        const QWidget *window = static_cast<QWidget *>(timer->parent())->window();
        return std::pair(QByteArray(window->metaObject()->className()), timer->objectName());
    };
    std::stable_sort(timers.begin(), timers.end(),
                     [&key](const QTimer *a, const QTimer *b) { return key(a) < key(b); });
    return timers;
}

void deliverPostedEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

bool stepTimer(QTimer *timer)
{
    if (!timer || !timer->isActive()) {
        return false;
    }
    QTimerEvent timeout(timer->timerId());
    const QScopedValueRollback<const QEvent *> stepping(steppedTimeout, &timeout);
    QCoreApplication::sendEvent(timer, &timeout);
    return true;
}

ManualClock::ManualClock()
{
    QCoreApplication::instance()->installEventFilter(this);
}

ManualClock::~ManualClock()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ManualClock::eventFilter(QObject *watched, QEvent *event)
{
    return event->type() == QEvent::Timer && event != steppedTimeout && isWindowTimer(watched);
}

void ManualClock::advance(int ms)
{
    const qint64 end = m_now + ms;
    do {
        deliverPostedEvents();
    } while (fireNextDueBy(end));
    m_now = end;
}

bool ManualClock::advanceUntil(const std::function<bool()> &done, int budgetMs)
{
    const qint64 end = m_now + budgetMs;
    // Looked at right after each timeout, and again once the events it posted
    // (a window's deferred deletion) are delivered.
    for (;;) {
        deliverPostedEvents();
        if (done()) {
            return true;
        }
        if (!fireNextDueBy(end)) {
            return false;
        }
        if (done()) {
            return true;
        }
    }
}

bool ManualClock::advanceUntilStill(int budgetMs)
{
    return advanceUntil(
        [] {
            const QList<QTimer *> timers = windowTimers();
            return std::none_of(timers.begin(), timers.end(),
                                [](const QTimer *timer) { return timer->isActive(); });
        },
        budgetMs);
}

void ManualClock::scheduleFromNow(Schedule &schedule)
{
    schedule.due = m_now + schedule.timer->interval();
}

void ManualClock::watchNewTimers()
{
    std::erase_if(m_schedules, [](const auto &schedule) { return !schedule->timer; });
    for (QTimer *timer : windowTimers()) {
        const bool known = std::any_of(m_schedules.begin(), m_schedules.end(),
                                       [timer](const auto &s) { return s->timer == timer; });
        if (known) {
            continue;
        }
        auto schedule = std::make_unique<Schedule>();
        schedule->timer = timer;
        scheduleFromNow(*schedule);
        // A (re)start counts its interval from the clock's present time.
        Schedule *watched = schedule.get();
        schedule->restarted = timer->bindableActive().addNotifier([this, watched] {
            if (watched->timer && watched->timer->isActive()) {
                scheduleFromNow(*watched);
            }
        });
        m_schedules.push_back(std::move(schedule));
    }
}

ManualClock::Schedule *ManualClock::nextDue()
{
    Schedule *next = nullptr;
    for (const auto &schedule : m_schedules) {
        if (schedule->timer && schedule->timer->isActive() &&
            (!next || schedule->due < next->due)) {
            next = schedule.get();
        }
    }
    return next;
}

bool ManualClock::fireNextDueBy(qint64 limit)
{
    watchNewTimers();
    Schedule *next = nextDue();
    if (!next || next->due > limit) {
        return false;
    }
    m_now = next->due;
    scheduleFromNow(*next); // a repeating timer's next timeout
    stepTimer(next->timer);
    return true;
}

} // namespace vantrel::testing
