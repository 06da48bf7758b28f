// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "field_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "house_colours.h"
#include "manual_clock.h"
#include "palette_use.h"
#include "panel_switching.h"
#include "recording_prompt.h"
#include "screen_colours.h"
#include "twips.h"
#include "typing.h"

#include <QAbstractButton>
#include <QAccessible>
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
    void shortcutsDoWhatTheClicksDo_data();
    void shortcutsDoWhatTheClicksDo();
    void arrowKeyWaitsForTheAsciiTab();
    void tabsArePageTabsToScreenReaders_data();
    void tabsArePageTabsToScreenReaders();
    void tabVisitsWhatTheViewportShows_data();
    void tabVisitsWhatTheViewportShows();
    void arrowsMoveWithinTheBitModeButtons();

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
    // Plays a script from fresh windows, by clicks or by their keys, and
    // returns what it saw: the focus at once after each action, the frames'
    // positions after every animation tick, the fields' texts at the end.
    QStringList play(const QString &startField, const QStringList &script, bool byKeys);
    // Presses a key where the keyboard focus is, as a user's key lands.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static QString focused() { return QApplication::focusWidget()->objectName(); }

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
    QVERIFY(testing::clickField(element<QWidget>(m_window, "txtA")));
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
    int bounceTicks = 0;
    connect(timer("tmrRebote2"), &QTimer::timeout, m_window, [&] {
        if (!clicked && ++bounceTicks == 3) {
            clicked = true;
            click(qPrintable(secondTab));
            // The bounce ended at once, at the rest it played around.
            QCOMPARE(frame2Top(), -2640);
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

namespace {
// What a click on each element does, the keyboard does with these keys.
QKeyCombination shortcutOf(const QString &element)
{
    if (element == QLatin1String("cmdBoton0")) {
        return Qt::CTRL | Qt::Key_1;
    }
    if (element == QLatin1String("cmd1")) {
        return Qt::CTRL | Qt::Key_2;
    }
    return Qt::CTRL | Qt::Key_3;
}
} // namespace

QStringList PanelSwitchingTest::play(const QString &startField, const QStringList &script,
                                     bool byKeys)
{
    cleanup();
    init();
    QStringList seen;
    QObject recording; // the recordings end with the play
    for (const char *name : kAnimationTimers) {
        connect(timer(name), &QTimer::timeout, &recording, [this, &seen, name] {
            seen << QStringLiteral("%1 %2 %3").arg(name).arg(frame1Left()).arg(frame2Top());
        });
    }
    [&] { QVERIFY(testing::clickField(element<QWidget>(m_window, startField))); }();
    // "." waits until the frames rest, "+50" lets 50 ms pass, "@txtBin"
    // clicks a field; any other step is a click or its key.
    for (const QString &step : script) {
        if (step == QLatin1String(".")) {
            [&] { QVERIFY(waitUntilStill()); }();
        } else if (step.startsWith(QLatin1Char('+'))) {
            m_clock->advance(step.mid(1).toInt());
        } else if (step.startsWith(QLatin1Char('@'))) {
            [&] { QVERIFY(testing::clickField(element<QWidget>(m_window, step.mid(1)))); }();
        } else {
            if (byKeys) {
                QTest::keyClick(QApplication::focusWidget(), shortcutOf(step).key(),
                                shortcutOf(step).keyboardModifiers());
            } else {
                click(qPrintable(step));
            }
            seen << QStringLiteral("%1: focus %2, %3, %4")
                        .arg(step, QApplication::focusWidget()->objectName(),
                             element<QWidget>(m_window, "cmd1")->toolTip())
                        .arg(QLatin1String(hexTabChosen() ? "HEXA" : "ASCII"));
        }
    }
    [&] { QVERIFY(waitUntilStill()); }();
    for (const char *field : {"txtC", "txtA", "txtB", "txtMensaje", "txtBinario", "txtHexa"}) {
        seen << testing::fieldText(element<QWidget>(m_window, field));
    }
    return seen;
}

void PanelSwitchingTest::shortcutsDoWhatTheClicksDo_data()
{
    QTest::addColumn<QString>("startField");
    QTest::addColumn<QStringList>("script");
    QTest::newRow("Ctrl+3 in txtC") << "txtC" << QStringList{"cmdBoton1"};
    QTest::newRow("Ctrl+3 in txtA, Ctrl+1 back")
        << "txtA" << QStringList{"cmdBoton1", ".", "cmdBoton0"};
    QTest::newRow("Ctrl+1 at rest bounces in place") << "txtB" << QStringList{"cmdBoton0"};
    QTest::newRow("Ctrl+1 turns a slide to HEXA back")
        << "txtC" << QStringList{"cmdBoton1", "+100", "cmdBoton0"};
    QTest::newRow("Ctrl+3 twice bounces at HEXA")
        << "txtC" << QStringList{"cmdBoton1", ".", "cmdBoton1"};
    QTest::newRow("Ctrl+2 there and back") << "txtC" << QStringList{"cmd1", ".", "cmd1"};
    QTest::newRow("Ctrl+3 in txtMensaje, Ctrl+1 in txtHexa")
        << "txtC" << QStringList{"cmd1", ".", "cmdBoton1", ".", "cmdBoton0"};
    QTest::newRow("Ctrl+3 in txtBinario, Ctrl+1 in txtBin")
        << "txtC"
        << QStringList{"cmd1", ".", "@txtBinario", "cmdBoton1", ".", "@txtBin", "cmdBoton0"};
    QTest::newRow("Ctrl+3 during the arrow's slide")
        << "txtC" << QStringList{"cmd1", "+50", "cmdBoton1"};
}

void PanelSwitchingTest::shortcutsDoWhatTheClicksDo()
{
    QFETCH(QString, startField);
    QFETCH(QStringList, script);
    const QStringList byClicks = play(startField, script, false);
    const QStringList byKeys = play(startField, script, true);
    QVERIFY(byKeys.filter(QStringLiteral("tmrRebote")).size() >= 9); // a bounce, at least
    QCOMPARE(byKeys, byClicks);
}

void PanelSwitchingTest::arrowKeyWaitsForTheAsciiTab()
{
    // Under "HEXA" the arrow is out of view, and so out of the clicks' reach.
    click("cmdBoton1");
    QVERIFY(waitUntilStill());
    QTest::keyClick(element<QWidget>(m_window, "txtHexa"), Qt::Key_2, Qt::ControlModifier);
    QVERIFY(element<QWidget>(m_window, "txtHexa")->hasFocus());
    QVERIFY(!timer("tmrSizeH")->isActive());
    QVERIFY(!messagePanelChosen());
    QCOMPARE(testing::fieldText(element<QWidget>(m_window, "txtHexa")), QString());
}

void PanelSwitchingTest::tabsArePageTabsToScreenReaders_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("selectedAtStart");
    QTest::addColumn<QString>("field");
    QTest::newRow("ASCII") << "cmdBoton0"
                           << "ASCII" << true << "txtC";
    QTest::newRow("HEXA") << "cmdBoton1"
                          << "HEXA" << false << "txtHexa";
}

void PanelSwitchingTest::tabsArePageTabsToScreenReaders()
{
    QFETCH(QString, tab);
    QFETCH(QString, name);
    QFETCH(bool, selectedAtStart);
    QFETCH(QString, field);
    QAccessibleInterface *reader =
        QAccessible::queryAccessibleInterface(element<QWidget>(m_window, tab));
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::PageTab);
    QCOMPARE(reader->text(QAccessible::Name), name);
    QVERIFY(reader->state().selectable);
    QCOMPARE(bool(reader->state().selected), selectedAtStart);

    // Pressing it from a screen reader is a click; the other tab is then
    // the one not selected.
    click(selectedAtStart ? "cmdBoton1" : "cmdBoton0");
    QVERIFY(!reader->state().selected);
    QVERIFY(reader->actionInterface());
    QVERIFY(reader->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(reader->state().selected);
    QVERIFY(element<QWidget>(m_window, field)->hasFocus());
    QVERIFY(waitUntilStill());
    checkAtRest();
}

void PanelSwitchingTest::tabVisitsWhatTheViewportShows_data()
{
    QTest::addColumn<QList<int>>("panelKeys"); // Ctrl+digit, pressed in turn
    QTest::addColumn<QStringList>("forward");  // the focus after each Tab, back to the start
    const QStringList value = {"txtA", "txtB", "cmd1", "cmd2", "cmd3", "chkManual", "txtC"};
    QTest::newRow("value panel") << QList<int>{} << value;
    QTest::newRow("message panel")
        << QList<int>{Qt::Key_2}
        << QStringList{"txtBinario", "cmd1", "cmd2", "cmd3", "chkManual", "Option1", "txtMensaje"};
    QTest::newRow("HEXA panel") << QList<int>{Qt::Key_3} << QStringList{"txtBin", "txtHexa"};
    QTest::newRow("HEXA from the message panel")
        << QList<int>{Qt::Key_2, Qt::Key_3} << QStringList{"txtBin", "txtHexa"};
    // Back from the message panel, the bit-mode buttons are disabled again.
    QTest::newRow("value panel again") << QList<int>{Qt::Key_2, Qt::Key_2} << value;
}

void PanelSwitchingTest::tabVisitsWhatTheViewportShows()
{
    QFETCH(QList<int>, panelKeys);
    QFETCH(QStringList, forward);
    for (int key : panelKeys) {
        press(Qt::Key(key), Qt::ControlModifier);
        QVERIFY(waitUntilStill());
    }
    const QString start = focused();
    QStringList visited;
    for (int i = 0; i < forward.size(); ++i) {
        press(Qt::Key_Tab);
        visited << focused();
    }
    QCOMPARE(visited, forward);

    // Shift+Tab walks the same stops the other way round.
    QStringList backward = forward;
    std::reverse(backward.begin(), backward.end());
    backward.removeFirst();
    backward << start;
    visited.clear();
    for (int i = 0; i < backward.size(); ++i) {
        press(Qt::Key_Tab, Qt::ShiftModifier);
        visited << focused();
    }
    QCOMPARE(visited, backward);
}

void PanelSwitchingTest::arrowsMoveWithinTheBitModeButtons()
{
    press(Qt::Key_2, Qt::ControlModifier);
    QVERIFY(waitUntilStill());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("A"));
    press(Qt::Key_Return);
    auto *binary = element<QWidget>(m_window, "txtBinario");
    QCOMPARE(testing::fieldText(binary), QStringLiteral("01000001"));

    // The two buttons are one Tab stop: backwards from the message field, "8".
    press(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focused(), QStringLiteral("Option2"));
    // The arrows move within the group and select, as in every standard dialog.
    press(Qt::Key_Up);
    QCOMPARE(focused(), QStringLiteral("Option1"));
    QVERIFY(element<QAbstractButton>(m_window, "Option1")->isChecked());
    QCOMPARE(testing::fieldText(binary), QStringLiteral("1000001"));
    press(Qt::Key_Down);
    QCOMPARE(focused(), QStringLiteral("Option2"));
    QVERIFY(element<QAbstractButton>(m_window, "Option2")->isChecked());
    QCOMPARE(testing::fieldText(binary), QStringLiteral("01000001"));
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("txtMensaje"));
}
QTEST_MAIN(PanelSwitchingTest)
#include "panel_switching_test.moc"
