// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmInicio.h"
#include "house_colours.h"
#include "manual_clock.h"
#include "painted_widgets.h"
#include "palette_use.h"
#include "screen_colours.h"
#include "twips.h"

#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using testing::element;

namespace {

constexpr char kChildModeVariable[] = "VANTREL_STARTUP_TEST_CHILD";

// In a child process: shows the start-up window and, from inside the event
// loop, plays its animation up to the moment the mode names ("early": 50 ms in;
// "handover": 1 ms before the hand-over is due) and clicks "x". Reports
// whether a converter window ever existed. Returns the event loop's exit code.
int runChild(const QByteArray &mode)
{
    testing::ManualClock clock;
    frmInicio &startup = app::startupWindow();
    startup.show();
    bool converterSeen = false;
    const auto watch = [&converterSeen] {
        converterSeen |= app::existingConverterWindow() != nullptr;
        return false;
    };
    auto *handOver = startup.findChild<QTimer *>(QStringLiteral("Timer3"));
    auto *esc = startup.findChild<QWidget *>(QStringLiteral("lblEsc"));
    QTimer::singleShot(0, [&] {
        if (mode == "early") {
            (void)clock.advanceUntil(watch, 50);
        } else {
            (void)clock.advanceUntil([&] { return watch() || handOver->isActive(); });
            (void)clock.advanceUntil(watch, handOver->interval() - 1);
        }
        QTest::mouseClick(esc, Qt::LeftButton);
    });
    const int code = QApplication::exec();
    std::printf("converter:%d\n", converterSeen || app::existingConverterWindow() ? 1 : 0);
    return code;
}

} // namespace

class FrmInicioTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void loadColoursTheBandsAndHidesTheCrossing();
    void wordFadesFromWhiteToBlackThenTheTimerStops();
    void bandsGrowAndTheCrossingIsCoveredOnTime();
    void handsOverToTheConverterWindowAfterTheBands();
    void handOverNeverCreatesASecondConverterWindow();
    void closeLabelIsGreyOnlyWhilePressed();
    void closeLabelEndsTheProcessWithNoConverterWindow_data();
    void closeLabelEndsTheProcessWithNoConverterWindow();
};

void FrmInicioTest::loadColoursTheBandsAndHidesTheCrossing()
{
    frmInicio window;
    const std::pair<const char *, QColor> bands[] = {
        {"Shape1", colours::kStrongBlue},
        {"Shape2", colours::kPaleBlue},
        {"Shape3", colours::kCrossing},
    };
    for (const auto &[name, colour] : bands) {
        auto *band = element<ShapeWidget>(&window, name);
        QCOMPARE(band->fillColour(), colour);
        QCOMPARE(band->borderColour(), colour);
    }
    QVERIFY(element<ShapeWidget>(&window, "Shape3")->isHidden());
    QCOMPARE(twips::geometry(element<ShapeWidget>(&window, "Shape4")), QRect(0, 0, 7815, 4455));
    QCOMPARE(window.size(), QSize(521, 297));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(testing::background(&window), QColor(Qt::white));
    auto *word = element<QLabel>(&window, "lblWord");
    QCOMPARE(word->text(), QStringLiteral("VANTREL"));
    QCOMPARE(testing::textColour(word), QColor(Qt::white)); // invisible at the first paint
}

void FrmInicioTest::wordFadesFromWhiteToBlackThenTheTimerStops()
{
    frmInicio window; // never shown: its timers cannot fire while the test ticks them
    auto *fade = element<QTimer>(&window, "Timer1");
    auto *word = element<QLabel>(&window, "lblWord");
    QCOMPARE(fade->interval(), 30);
    QVERIFY(fade->isActive());
    for (int tick = 1; tick <= 25; ++tick) {
        window.Timer1_Timer();
        const int level = 250 - 10 * tick;
        QCOMPARE(testing::textColour(word), QColor(level, level, level));
        QVERIFY(fade->isActive());
    }
    window.Timer1_Timer(); // the 26th tick
    QVERIFY(!fade->isActive());
    QCOMPARE(testing::textColour(word), QColor(Qt::black));
}

void FrmInicioTest::bandsGrowAndTheCrossingIsCoveredOnTime()
{
    frmInicio window;
    auto *bands = element<QTimer>(&window, "Timer2");
    auto *handOver = element<QTimer>(&window, "Timer3");
    auto *horizontal = element<ShapeWidget>(&window, "Shape1");
    auto *vertical = element<ShapeWidget>(&window, "Shape2");
    auto *crossing = element<ShapeWidget>(&window, "Shape3");
    QCOMPARE(handOver->interval(), 500);
    QVERIFY(!handOver->isActive());
    for (int tick = 1; tick <= 40; ++tick) {
        window.Timer2_Timer();
        QCOMPARE(twips::geometry(vertical), QRect(480, 0, 495, 15 + 120 * tick));
        const int left = 7800 - 200 * tick;
        QCOMPARE(twips::geometry(horizontal), QRect(left, 3240, 7815 - left, 495));
        QCOMPARE(crossing->isHidden(), left > 960);
        if (!crossing->isHidden()) {
            QCOMPARE(twips::geometry(crossing), QRect(480, 3240, 495, 495));
        }
        QVERIFY(bands->isActive());
    }
    window.Timer2_Timer(); // the 41st tick
    QVERIFY(!bands->isActive());
    QVERIFY(handOver->isActive());
    QCOMPARE(twips::geometry(vertical).height(), 4815);
}

void FrmInicioTest::handsOverToTheConverterWindowAfterTheBands()
{
    testing::ManualClock clock;
    QPointer<frmInicio> startup = &app::startupWindow();
    startup->show();
    QVERIFY(QTest::qWaitForWindowExposed(startup));
    auto *vertical = element<ShapeWidget>(startup, "Shape2");
    // Watched after every tick: the converter window must not exist before the
    // vertical band is complete.
    QList<int> bandHeightsWithAConverter;
    QVERIFY(clock.advanceUntil([&] {
        if (startup && app::existingConverterWindow()) {
            bandHeightsWithAConverter << twips::geometry(vertical).height();
        }
        return !startup; // unloaded
    }));
    QCOMPARE(bandHeightsWithAConverter, QList<int>{4815});
    frmAscii *converter = app::existingConverterWindow();
    QVERIFY(converter);
    QVERIFY(converter->isVisible());
    QVERIFY(!converter->isModal());
}

void FrmInicioTest::handOverNeverCreatesASecondConverterWindow()
{
    frmAscii *existing = &app::converterWindow();
    frmInicio &startup = app::startupWindow();
    startup.Timer3_Timer();
    QCOMPARE(app::existingConverterWindow(), existing);
    int converters = 0;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        converters += qobject_cast<frmAscii *>(window) ? 1 : 0;
    }
    QCOMPARE(converters, 1);
}

void FrmInicioTest::closeLabelIsGreyOnlyWhilePressed()
{
    frmInicio window;
    auto *esc = element<QLabel>(&window, "lblEsc");
    QCOMPARE(esc->text(), QStringLiteral("x"));
    QVERIFY(!esc->autoFillBackground());
    window.show();
    QTest::mousePress(esc, Qt::LeftButton);
    QVERIFY(esc->autoFillBackground());
    QCOMPARE(testing::background(esc), colours::kCloseLabelPressed);
    // Released outside the label: no click, back to transparent.
    QTest::mouseRelease(esc, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(!esc->autoFillBackground());
}

void FrmInicioTest::closeLabelEndsTheProcessWithNoConverterWindow_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::newRow("during the animation") << QByteArray("early");
    QTest::newRow("when the hand-over is due") << QByteArray("handover");
}

void FrmInicioTest::closeLabelEndsTheProcessWithNoConverterWindow()
{
    QFETCH(QByteArray, mode);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildModeVariable, QString::fromLatin1(mode));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(20'000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(child.readAllStandardOutput().contains("converter:0"),
             child.readAllStandardError().constData());
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QByteArray childMode = qgetenv(kChildModeVariable);
    if (!childMode.isEmpty()) {
        return runChild(childMode);
    }
    FrmInicioTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frmInicio_test.moc"
