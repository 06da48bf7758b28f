// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QProperty>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace vantrel::testing {

// One timeout of a running timer, now, as if its interval had just elapsed: a
// single-shot timer stops, a repeating one runs on. False if it was not running.
bool stepTimer(QTimer *timer);

// A clock that the test moves by hand. While one exists, the windows' timers
// (the named QTimers of widgets) never fire by themselves, in an event loop or
// anywhere else; they fire when the test advances the clock, each after its
// interval, the earliest first, timers due together in the order the clock
// first saw them. A run then depends on what the test does, never on how fast
// the machine is. Posted events (deferred deletes included) are delivered
// before every timeout, as an event loop would.
class ManualClock : public QObject
{
public:
    ManualClock();
    ~ManualClock() override;

    // Moves the time on by ms, firing every timeout due on the way.
    void advance(int ms);
    // Moves the time on, one timeout at a time, until done() holds. False if
    // it still does not hold after budgetMs or once no timer runs.
    [[nodiscard]] bool advanceUntil(const std::function<bool()> &done, int budgetMs = 60'000);
    // Moves the time on until no window timer runs.
    [[nodiscard]] bool advanceUntilStill(int budgetMs = 60'000);

    [[nodiscard]] qint64 elapsedMs() const { return m_now; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Schedule
    {
        QPointer<QTimer> timer;
        qint64 due = 0;
        QPropertyNotifier restarted;
    };

    void watchNewTimers();
    void scheduleFromNow(Schedule &schedule);
    Schedule *nextDue();
    // Fires the earliest timeout due by limit; false if there is none.
    bool fireNextDueBy(qint64 limit);

    qint64 m_now = 0;
    std::vector<std::unique_ptr<Schedule>> m_schedules; // in the order first seen
};

} // namespace vantrel::testing
