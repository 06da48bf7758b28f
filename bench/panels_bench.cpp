// Keystroke latency of the converter window's panels at their largest sizes:
// the time from one key event (or paste) to the end of all the event
// processing it causes, layout and painting of both fields included. Release
// build, offscreen. Prints the median and 95th percentile of each case.

#include "application.h"
#include "frmAscii.h"
#include "panel_switching.h"
#include "text_area.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vantrel;

namespace {

const int kKeystrokes = qEnvironmentVariableIntValue("VANTREL_BENCH_KEYSTROKES") > 0
                            ? qEnvironmentVariableIntValue("VANTREL_BENCH_KEYSTROKES")
                            : 60;
constexpr int kPastes = 8;

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Milliseconds taken by one action and everything it sets off.
double timed(const std::function<void()> &action)
{
    settle();
    QElapsedTimer clock;
    clock.start();
    action();
    settle();
    return double(clock.nsecsElapsed()) / 1e6;
}

void report(const char *name, std::vector<double> samples, double targetMs)
{
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
    std::printf("%-58s %8.2f %8.2f %8.0f  %s\n", name, median, p95, targetMs,
                median < targetMs ? "ok" : "SLOW");
}

TextArea *field(frmAscii &window, const char *name)
{
    return window.findChild<TextArea *>(QString::fromLatin1(name));
}

// Types one character at the end of a field holding `text`, again and again,
// taking the character back (untimed) after each.
std::vector<double> typeAtEnd(TextArea *target, const QString &text, char key)
{
    target->setFocus();
    target->setText(text);
    std::vector<double> samples;
    for (int i = 0; i < kKeystrokes; ++i) {
        target->moveCursor(QTextCursor::End);
        samples.push_back(timed([&] { QTest::keyClick(target, key); }));
        QTest::keyClick(target, Qt::Key_Backspace);
    }
    return samples;
}

// Runs whole slides and bounces tick by tick, each tick timed with the
// painting it causes, the timers themselves held still.
void reportTicks(frmAscii &window)
{
    PanelSwitching &switching = *window.findChild<PanelSwitching *>();
    struct Animation
    {
        const char *timer;
        void (PanelSwitching::*tick)();
        std::vector<double> samples;
    };
    Animation animations[] = {{"tmrSizeH", &PanelSwitching::tmrSizeH_Timer, {}},
                              {"tmrRebote1", &PanelSwitching::tmrRebote1_Timer, {}},
                              {"tmrSizeV", &PanelSwitching::tmrSizeV_Timer, {}},
                              {"tmrRebote2", &PanelSwitching::tmrRebote2_Timer, {}}};
    const auto runAll = [&] {
        bool ticked = true;
        while (ticked) {
            ticked = false;
            for (Animation &animation : animations) {
                auto *timer = window.findChild<QTimer *>(QString::fromLatin1(animation.timer));
                if (timer->isActive()) {
                    timer->stop(); // held still; the handler restarts what follows
                    timer->start();
                    animation.samples.push_back(timed([&] { (switching.*animation.tick)(); }));
                    ticked = true;
                }
            }
        }
    };
    for (int round = 0; round < 10; ++round) {
        switching.cmd1_Click();
        runAll();
        switching.cmdBoton_Click(round % 2 == 0 ? 1 : 0);
        runAll();
    }
    for (const Animation &animation : animations) {
        double sum = 0;
        for (const double sample : animation.samples) {
            sum += sample;
        }
        const double mean = sum / double(animation.samples.size());
        const double max = *std::max_element(animation.samples.begin(), animation.samples.end());
        std::printf("%-58s %8.3f %8.3f %8.1f  %s\n", animation.timer, mean, max, 0.2,
                    mean < 0.2 ? "ok" : "SLOW");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    frmAscii &window = app::converterWindow();
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    window.findChild<QAbstractButton *>(QStringLiteral("chkManual"))->setChecked(false);

    std::printf("%-58s %8s %8s %8s\n", "case (ms)", "median", "p95", "target");

    report("1. message of 499 characters, one more (8-bit)",
           typeAtEnd(field(window, "txtMensaje"), QString(499, 'a'), 'b'), 2);

    report("2. binary message of 32,765 digits, one more",
           typeAtEnd(field(window, "txtBinario"), QString(32'765, '1'), '1'), 6);

    report("3. txtBin of 100,000 digits, one more",
           typeAtEnd(field(window, "txtBin"), QString(100'000, '1'), '1'), 16);

    TextArea *txtBin = field(window, "txtBin");
    txtBin->setFocus();
    std::vector<double> pastes;
    std::vector<double> keysAfter;
    QApplication::clipboard()->setText(QString(1'000'000, '1'));
    for (int i = 0; i < kPastes; ++i) {
        txtBin->setText(QString());
        pastes.push_back(timed([&] { QTest::keyClick(txtBin, Qt::Key_V, Qt::ControlModifier); }));
        keysAfter.push_back(timed([&] { QTest::keyClick(txtBin, '0'); }));
    }
    report("4a. paste of 1,000,000 digits into txtBin", pastes, 250);
    report("4b. one keystroke after it", keysAfter, 250);

    std::printf("\n%-58s %8s %8s %8s\n", "animation tick, fields as at start (ms)", "mean", "max",
                "target");
    const QString largest[] = {QString(500, 'a'), QString(32'766, '1'), QString(1'000'000, '1'),
                               QString(500, 'F')};
    const char *names[] = {"txtMensaje", "txtBinario", "txtBin", "txtHexa"};
    for (const char *name : names) {
        field(window, name)->setText(QString());
    }
    reportTicks(window);
    std::printf("\n%-58s %8s %8s %8s\n", "animation tick, fields at their largest (ms)", "mean",
                "max", "target");
    for (int i = 0; i < 4; ++i) {
        field(window, names[i])->setText(largest[i]);
    }
    reportTicks(window);
    return 0;
}
