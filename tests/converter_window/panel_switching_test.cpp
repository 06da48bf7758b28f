// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "house_colours.h"
#include "manual_clock.h"
#include "palette_use.h"
#include "panel_switching.h"
#include "recording_prompt.h"
#include "screen_colours.h"
#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using testing::element;
using namespace colours;

namespace {

QList<int> range(int from, int to, int step)
{
    QList<int> values;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step) {
        values << v;
    }
    return values;
}
} // namespace

class PanelSwitchingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup()
    {
        testing::destroyAllWindows();
        m_clock.reset();
    }

    void arrowSlidesToTheMessagePanelAndBounces();
    void arrowSlidesBackToTheValuePanel();
    void arrowIsIgnoredWhileTheFrameMoves_data();
    void arrowIsIgnoredWhileTheFrameMoves();
    void hexaTabSlidesUpAndBounces();
    void selectedTabAtRestBouncesInPlace();
    void asciiDuringASlideToHexaTurnsTheFrameBack();
    void tabClickDuringABounceEndsItFirst_data();
    void tabClickDuringABounceEndsItFirst();
    void hexaAndBackReturnsToTheMessagePanel();
    void bothMovesAtOncePlayInFull();
    void randomClicksAndTicksEndAtRest_data();
    void randomClicksAndTicksEndAtRest();

private:
    int frame1Left() const { return twips::geometry(element<QFrame>(m_window, "Frame1")).left(); }
    int frame2Top() const { return twips::geometry(element<QFrame>(m_window, "Frame2")).top(); }
    QTimer *timer(const char *name) const { return element<QTimer>(m_window, name); }
    // The arrow offers the way back once the message panel is chosen.
    bool messagePanelChosen() const
    {
        return element<QWidget>(m_window, "cmd1")->toolTip() ==
               QStringLiteral(" Ver conversión de valores. ");
    }
    bool hexTabChosen() const
    {
        return testing::background(element<QWidget>(m_window, "cmdBoton1")) == kActive;
    }
    const PanelSwitching *switching() const { return m_window->findChild<PanelSwitching *>(); }
    void click(const char *name) const
    {
        QTest::mouseClick(element<QWidget>(m_window, name), Qt::LeftButton);
    }
    // Records a position after every tick of a timer.
    QList<int> *record(const char *timerName, std::function<int()> position);
    bool waitUntilStill() { return m_clock->advanceUntilStill(); }
    // One tick of an animation timer, if it is running.
    void tickIfActive(int index);
    void runToRest();
    void checkAtRest() const;

    frmAscii *m_window = nullptr;
    QList<QList<int> *> m_recordings;
    std::unique_ptr<testing::ManualClock> m_clock;
};

void PanelSwitchingTest::init()
{
    qDeleteAll(m_recordings);
    m_recordings.clear();
    m_clock = std::make_unique<testing::ManualClock>();
    m_window = &app::converterWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTRY_VERIFY(element<QWidget>(m_window, "txtC")->hasFocus());
}

QList<int> *PanelSwitchingTest::record(const char *timerName, std::function<int()> position)
{
    auto *ticks = new QList<int>;
    m_recordings << ticks;
    connect(timer(timerName), &QTimer::timeout, m_window,
            [ticks, position] { ticks->append(position()); });
    return ticks;
}

namespace {
const char *const kAnimationTimers[] = {"tmrSizeH", "tmrRebote1", "tmrSizeV", "tmrRebote2"};
} // namespace

void PanelSwitchingTest::tickIfActive(int index)
{
    testing::stepTimer(timer(kAnimationTimers[index]));
}

void PanelSwitchingTest::runToRest()
{
    for (int i = 0; i < 1000; ++i) {
        for (int t = 0; t < 4; ++t) {
            tickIfActive(t);
        }
    }
    for (const char *name : kAnimationTimers) {
        QVERIFY2(!timer(name)->isActive(), name);
    }
}

void PanelSwitchingTest::checkAtRest() const
{
    const bool messagePanel = messagePanelChosen();
    QCOMPARE(frame1Left(), messagePanel ? -4080 : 0);
    QCOMPARE(frame2Top(), hexTabChosen() ? -2640 : 0);
    QCOMPARE(switching()->horizontalBounceTick(), 0);
    QCOMPARE(switching()->verticalBounceTick(), 0);
    QCOMPARE(element<QAbstractButton>(m_window, "Option1")->isEnabled(), messagePanel);
    QCOMPARE(element<QAbstractButton>(m_window, "Option2")->isEnabled(), messagePanel);
}

void PanelSwitchingTest::arrowSlidesToTheMessagePanelAndBounces()
{
    QList<int> *slide = record("tmrSizeH", [this] { return frame1Left(); });
    QList<int> *bounce = record("tmrRebote1", [this] { return frame1Left(); });
    QList<int> *optionsOn = record("tmrSizeH", [this] {
        return int(element<QAbstractButton>(m_window, "Option1")->isEnabled() &&
                   element<QAbstractButton>(m_window, "Option2")->isEnabled());
    });
    click("cmd1");
    // At the click, before the frame moves.
    QVERIFY(element<QWidget>(m_window, "txtMensaje")->hasFocus());
    QCOMPARE(element<QAbstractButton>(m_window, "cmd1")->toolTip(),
             QStringLiteral(" Ver conversión de valores. "));
    QCOMPARE(frame1Left(), 0);

    QVERIFY(waitUntilStill());
    QCOMPARE(*slide, range(-120, -4080, -120) << -4080);
    QCOMPARE(*optionsOn, QList<int>(34, 0) << 1);
    QCOMPARE(*bounce, (QList<int>{-4140, -4200, -4260, -4320, -4260, -4200, -4140, -4080, -4080}));
    QCOMPARE(switching()->horizontalBounceTick(), 0);
    QCOMPARE(testing::background(element<QWidget>(m_window, "txtMensaje")), kActive);
}

void PanelSwitchingTest::arrowSlidesBackToTheValuePanel()
{
    click("cmd1");
    QVERIFY(waitUntilStill());
    QList<int> *slide = record("tmrSizeH", [this] { return frame1Left(); });
    QList<int> *bounce = record("tmrRebote1", [this] { return frame1Left(); });
    click("cmd1");
    QVERIFY(element<QWidget>(m_window, "txtC")->hasFocus());
    QCOMPARE(element<QAbstractButton>(m_window, "cmd1")->toolTip(),
             QStringLiteral(" Ver conversión de texto. "));
    QVERIFY(waitUntilStill());
    QCOMPARE(*slide, range(-3960, 0, 120) << 0);
    QCOMPARE(*bounce, (QList<int>{60, 120, 180, 240, 180, 120, 60, 0, 0}));
    QVERIFY(!element<QAbstractButton>(m_window, "Option1")->isEnabled());
    QVERIFY(!element<QAbstractButton>(m_window, "Option2")->isEnabled());
}

void PanelSwitchingTest::arrowIsIgnoredWhileTheFrameMoves_data()
{
    QTest::addColumn<QString>("movingTimer");
    QTest::newRow("mid-slide") << "tmrSizeH";
    QTest::newRow("mid-bounce") << "tmrRebote1";
}

void PanelSwitchingTest::arrowIsIgnoredWhileTheFrameMoves()
{
    QFETCH(QString, movingTimer);
    click("cmd1");
    QVERIFY(m_clock->advanceUntil([&] {
        return timer(qPrintable(movingTimer))->isActive() && frame1Left() != 0 &&
               frame1Left() != -4080;
    }));
    click("cmd1");
    QVERIFY(messagePanelChosen());
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmd1"));
    QVERIFY(waitUntilStill());
    QCOMPARE(frame1Left(), -4080);
    // A later click works as ever.
    click("cmd1");
    QVERIFY(waitUntilStill());
    QCOMPARE(frame1Left(), 0);
    QVERIFY(!messagePanelChosen());
}

void PanelSwitchingTest::hexaTabSlidesUpAndBounces()
{
    QList<int> *slide = record("tmrSizeV", [this] { return frame2Top(); });
    QList<int> *bounce = record("tmrRebote2", [this] { return frame2Top(); });
    click("cmdBoton1");
    QVERIFY(element<QWidget>(m_window, "txtHexa")->hasFocus());
    QCOMPARE(testing::background(element<QWidget>(m_window, "cmdBoton0")), kIdle);
    QCOMPARE(testing::background(element<QWidget>(m_window, "cmdBoton1")), kActive);
    QVERIFY(waitUntilStill());
    QCOMPARE(*slide, range(-120, -2640, -120) << -2640);
    QCOMPARE(*bounce, (QList<int>{-2700, -2760, -2820, -2880, -2820, -2760, -2700, -2640, -2640}));
    QVERIFY(!element<QAbstractButton>(m_window, "Option1")->isEnabled());
}

void PanelSwitchingTest::selectedTabAtRestBouncesInPlace()
{
    QList<int> *slide = record("tmrSizeV", [this] { return frame2Top(); });
    QList<int> *bounce = record("tmrRebote2", [this] { return frame2Top(); });
    element<QWidget>(m_window, "txtA")->setFocus();
    click("cmdBoton0");
    QVERIFY(element<QWidget>(m_window, "txtC")->hasFocus());
    QVERIFY(waitUntilStill());
    QCOMPARE(*slide, QList<int>{0});
    QCOMPARE(*bounce, (QList<int>{60, 120, 180, 240, 180, 120, 60, 0, 0}));
}

void PanelSwitchingTest::asciiDuringASlideToHexaTurnsTheFrameBack()
{
    QList<int> *bounce = record("tmrRebote2", [this] { return frame2Top(); });
    click("cmdBoton1");
    QVERIFY(m_clock->advanceUntil([this] { return frame2Top() <= -600; }));
    click("cmdBoton0");
    QVERIFY(element<QWidget>(m_window, "txtC")->hasFocus());
    QVERIFY(waitUntilStill());
    QCOMPARE(frame2Top(), 0);
    QCOMPARE(*bounce, (QList<int>{60, 120, 180, 240, 180, 120, 60, 0, 0}));
}

void PanelSwitchingTest::tabClickDuringABounceEndsItFirst_data()
{
    QTest::addColumn<QString>("secondTab");
    QTest::addColumn<int>("restTop");
    QTest::newRow("HEXA again") << "cmdBoton1" << -2640;
    QTest::newRow("ASCII") << "cmdBoton0" << 0;
}

void PanelSwitchingTest::tabClickDuringABounceEndsItFirst()
{
    QFETCH(QString, secondTab);
    QFETCH(int, restTop);
    bool clicked = false;
    connect(timer("tmrRebote2"), &QTimer::timeout, m_window, [&] {
        if (!clicked && switching()->verticalBounceTick() == 3) {
            clicked = true;
            click(qPrintable(secondTab));
            // The bounce ended at once, at the rest it played around.
            QCOMPARE(switching()->verticalBounceTick(), 0);
            QVERIFY(!timer("tmrRebote2")->isActive());
            QVERIFY(timer("tmrSizeV")->isActive());
        }
    });
    click("cmdBoton1");
    QVERIFY(m_clock->advanceUntil([&] { return clicked; }));
    QVERIFY(waitUntilStill());
    QCOMPARE(frame2Top(), restTop);
}

void PanelSwitchingTest::hexaAndBackReturnsToTheMessagePanel()
{
    click("cmd1");
    QVERIFY(waitUntilStill());
    click("cmdBoton1");
    QVERIFY(element<QAbstractButton>(m_window, "Option1")->isEnabled());
    QVERIFY(waitUntilStill());
    click("cmdBoton0");
    QVERIFY(element<QWidget>(m_window, "txtMensaje")->hasFocus());
    QVERIFY(waitUntilStill());
    QCOMPARE(frame1Left(), -4080);
    QCOMPARE(frame2Top(), 0);
    QVERIFY(element<QAbstractButton>(m_window, "Option2")->isEnabled());
}

void PanelSwitchingTest::bothMovesAtOncePlayInFull()
{
    QList<int> *horizontal = record("tmrRebote1", [this] { return frame1Left(); });
    QList<int> *vertical = record("tmrRebote2", [this] { return frame2Top(); });
    click("cmd1");
    m_clock->advance(50);
    QVERIFY(timer("tmrSizeH")->isActive()); // the slide is under way
    click("cmdBoton1");
    QVERIFY(waitUntilStill());
    QCOMPARE(horizontal->size(), 9);
    QCOMPARE(vertical->size(), 9);
    QCOMPARE(frame1Left(), -4080);
    QCOMPARE(frame2Top(), -2640);
}

void PanelSwitchingTest::randomClicksAndTicksEndAtRest_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {20261207u, 1u, 4242u}) {
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
}

void PanelSwitchingTest::randomClicksAndTicksEndAtRest()
{
    QFETCH(quint32, seed);
    // Ticks are run by hand, so thousands of actions take no real time; a
    // warning that a manual-mode click raises is answered at once.
    testing::RecordingPrompt prompt;

    QRandomGenerator random(seed);
    const char *clickable[] = {"cmd1", "cmdBoton0", "cmdBoton1", "chkManual"};
    for (int action = 0; action < 12'000; ++action) {
        if (random.bounded(4) == 0) {
            click(clickable[random.bounded(4)]);
        } else {
            tickIfActive(random.bounded(4));
        }
        if (action % 500 == 499) {
            runToRest();
            checkAtRest();
        }
    }
    runToRest();
    checkAtRest();
    // The arrow still works as it should.
    const bool wasMessagePanel = messagePanelChosen();
    click("cmd1");
    runToRest();
    QCOMPARE(messagePanelChosen(), !wasMessagePanel);
    checkAtRest();
}

QTEST_MAIN(PanelSwitchingTest)
#include "panel_switching_test.moc"
