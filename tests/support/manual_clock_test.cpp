// SPDX-License-Identifier: GPL-3.0-or-later
#include "manual_clock.h"

#include <QTest>
#include <QWidget>
#include <memory>

using vantrel::testing::ManualClock;

class ManualClockTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void timeoutsComeInTimeOrderAtTheirIntervals();
    void heldTimersWaitThroughEventLoops();
    void aRestartCountsFromTheClocksPresentTime();

private:
    // A named timer of the window, as the windows' elements are, whose
    // timeouts are logged as name@time.
    QTimer *timer(const char *name, int intervalMs, bool singleShot = false);

    QWidget m_window;
    std::unique_ptr<ManualClock> m_clock;
    QStringList m_timeouts;
};

void ManualClockTest::init()
{
    m_clock = std::make_unique<ManualClock>();
    m_timeouts.clear();
}

void ManualClockTest::cleanup()
{
    qDeleteAll(m_window.findChildren<QTimer *>());
    m_clock.reset();
}

QTimer *ManualClockTest::timer(const char *name, int intervalMs, bool singleShot)
{
    auto *t = new QTimer(&m_window);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(intervalMs);
    t->setSingleShot(singleShot);
    connect(t, &QTimer::timeout, this, [this, name] {
        m_timeouts
            << QStringLiteral("%1@%2").arg(QString::fromLatin1(name)).arg(m_clock->elapsedMs());
    });
    return t;
}

void ManualClockTest::timeoutsComeInTimeOrderAtTheirIntervals()
{
    timer("b", 25)->start();
    timer("a", 10)->start();
    timer("once", 15, true)->start();
    m_clock->advance(50);
    // Due together, timers fire in the order of their names.
    QCOMPARE(m_timeouts,
             QStringList({"a@10", "once@15", "a@20", "b@25", "a@30", "a@40", "a@50", "b@50"}));
    QCOMPARE(m_clock->elapsedMs(), 50);
}

void ManualClockTest::heldTimersWaitThroughEventLoops()
{
    QTimer *held = timer("held", 1);
    held->start();
    QTest::qWait(30);
    QVERIFY(m_timeouts.isEmpty());
    QVERIFY(m_clock->advanceUntil([this] { return m_timeouts.size() == 3; }));
    QCOMPARE(m_clock->elapsedMs(), 3);
    held->stop();
    QVERIFY(m_clock->advanceUntilStill());
    QVERIFY(!m_clock->advanceUntil([] { return false; }, 100)); // nothing left to fire
}

void ManualClockTest::aRestartCountsFromTheClocksPresentTime()
{
    QTimer *restarted = timer("restarted", 20);
    restarted->start();
    m_clock->advance(15);
    restarted->start(); // due at 35 now, no longer at 20
    m_clock->advance(30);
    QCOMPARE(m_timeouts, QStringList{"restarted@35"});
}

QTEST_MAIN(ManualClockTest)
#include "manual_clock_test.moc"
