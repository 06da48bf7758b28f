// SPDX-License-Identifier: GPL-3.0-or-later
// Keystroke latency of the converter window's panels at their largest sizes:
// the time from one key event (or paste) to the end of all the event
// processing it causes, layout and painting of both fields included. Release
// build, offscreen. Prints the median and 95th percentile of each case.

#include "application.h"
#include "binary_text_edit.h"
#include "frmAscii.h"
#include "latency.h"
#include "panel_switching.h"
#include "text_area.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vantrel;
using bench::report;
using bench::residentBytes;
using bench::timed;

namespace {

const int kKeystrokes = qEnvironmentVariableIntValue("VANTREL_BENCH_KEYSTROKES") > 0
                            ? qEnvironmentVariableIntValue("VANTREL_BENCH_KEYSTROKES")
                            : 60;
constexpr int kPastes = 8;

TextArea *textArea(frmAscii &window, const char *name)
{
    return window.findChild<TextArea *>(QString::fromLatin1(name));
}

BinaryTextEdit *binaryField(frmAscii &window, const char *name)
{
    return window.findChild<BinaryTextEdit *>(QString::fromLatin1(name));
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

// Pastes a text far longer than a short field holds into the emptied field,
// three times.
std::vector<double> pasteIntoShortField(TextArea *target, qsizetype characters)
{
    QApplication::clipboard()->setText(QString(characters, u'F'));
    target->setFocus();
    std::vector<double> samples;
    for (int i = 0; i < 3; ++i) {
        target->setText({});
        samples.push_back(timed([&] { QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier); }));
    }
    QApplication::clipboard()->clear();
    target->setText({});
    return samples;
}

enum class KeyPlace { End, Middle, Backspace };

// One key into a binary field of `digits` digits: a digit typed at the end or
// in the middle, or a Backspace at the end, each undone (untimed) before the
// next.
std::vector<double> binaryKeys(BinaryTextEdit *target, std::size_t digits, KeyPlace place)
{
    target->setFocus();
    target->setCodeText(std::string(digits, '1'));
    std::vector<double> samples;
    for (int i = 0; i < kKeystrokes; ++i) {
        const qsizetype length = target->codeCount();
        target->setCursorPosition(place == KeyPlace::Middle ? length / 2 : length);
        if (place == KeyPlace::Backspace) {
            samples.push_back(timed([&] { QTest::keyClick(target, Qt::Key_Backspace); }));
            QTest::keyClick(target, '1');
        } else {
            samples.push_back(timed([&] { QTest::keyClick(target, '0'); }));
            QTest::keyClick(target, Qt::Key_Backspace);
        }
    }
    return samples;
}

// Pastes `digits` digits into an empty binary field, until the paste is
// applied and painted.
double pasteDigits(BinaryTextEdit *target, std::size_t digits)
{
    QApplication::clipboard()->setText(QString(static_cast<qsizetype>(digits), u'1'));
    target->setFocus();
    target->setCodeText({});
    return timed([&] {
        QSignalSpy finished(target, &BinaryTextEdit::pasteFinished);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        if (finished.isEmpty()) {
            (void)finished.wait(60'000);
        }
    });
}

// Keys in automatic mode at growing lengths, then how much a key in the
// longest field costs against one in the shortest: the same at any length
// means a ratio near 1.
void reportBinaryFields(frmAscii &window)
{
    std::printf("\n%-58s %8s %8s %8s\n", "binary fields at any length (ms)", "median", "p95",
                "target");
    constexpr std::size_t kShortest = 100'000;
    constexpr std::size_t kLongest = 100'000'000;
    const struct
    {
        KeyPlace place;
        const char *what;
    } places[] = {{KeyPlace::End, "digit at the end"},
                  {KeyPlace::Middle, "digit in the middle"},
                  {KeyPlace::Backspace, "Backspace at the end"}};
    const QLocale english(QLocale::English);
    for (const char *name : {"txtBin", "txtBinario"}) {
        BinaryTextEdit *target = binaryField(window, name);
        double shortestMedian[3] = {};
        double longestMedian[3] = {};
        for (const std::size_t digits :
             {kShortest, std::size_t{1'000'000}, std::size_t{16'000'000}, kLongest}) {
            for (int p = 0; p < 3; ++p) {
                const QByteArray label = QStringLiteral("%1 of %2 digits, %3")
                                             .arg(QLatin1String(name))
                                             .arg(english.toString(qulonglong(digits)))
                                             .arg(QLatin1String(places[p].what))
                                             .toLatin1();
                const double median =
                    report(label.constData(), binaryKeys(target, digits, places[p].place),
                           digits == kLongest ? 2 : 16);
                (digits == kShortest ? shortestMedian : longestMedian)[p] = median;
            }
            target->setCodeText({});
        }
        for (int p = 0; p < 3; ++p) {
            const double ratio = longestMedian[p] / shortestMedian[p];
            const QByteArray label = QStringLiteral("%1 %2: %3 / %4")
                                         .arg(QLatin1String(name))
                                         .arg(QLatin1String(places[p].what))
                                         .arg(english.toString(qulonglong(kLongest)))
                                         .arg(english.toString(qulonglong(kShortest)))
                                         .toLatin1();
            std::printf("%-58s %8.2f %8s %8.0f  %s\n", label.constData(), ratio, "", 2.0,
                        ratio <= 2 ? "ok" : "SLOW");
        }
    }
    BinaryTextEdit *txtBin = binaryField(window, "txtBin");
    std::vector<double> pastes16;
    for (int i = 0; i < 3; ++i) {
        pastes16.push_back(pasteDigits(txtBin, 16'000'000));
    }
    report("paste of 16,000,000 digits into txtBin", pastes16, 300);
    txtBin->setCodeText({});
    QApplication::clipboard()->clear();
    // The peak during the paste over what was resident before it: an upper
    // bound, since the earlier cases may have left the peak higher still.
    const double before = residentBytes("VmRSS:");
    const double paste100 = pasteDigits(txtBin, 100'000'000);
    const double growth = residentBytes("VmHWM:") - before;
    report("paste of 100,000,000 digits into txtBin", {paste100}, 3000);
    // The clipboard's own copy (two bytes a character) is the test's, not the field's.
    std::printf("%-58s %8.2f %8s %8.0f  %s\n",
                "peak memory growth, bytes a digit (clipboard apart)", growth / 1e8 - 2, "", 4.0,
                growth / 1e8 - 2 <= 4 ? "ok" : "SLOW");
    txtBin->setCodeText({});
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

    report("message of 499 characters, one more (8-bit)",
           typeAtEnd(textArea(window, "txtMensaje"), QString(499, 'a'), 'b'), 2);
    report("binary message of 32,765 digits, one more",
           binaryKeys(binaryField(window, "txtBinario"), 32'765, KeyPlace::End), 6);
    report("txtBin of 100,000 digits, one more",
           binaryKeys(binaryField(window, "txtBin"), 100'000, KeyPlace::End), 16);

    BinaryTextEdit *txtBin = binaryField(window, "txtBin");
    std::vector<double> pastes;
    std::vector<double> keysAfter;
    for (int i = 0; i < kPastes; ++i) {
        pastes.push_back(pasteDigits(txtBin, 1'000'000));
        keysAfter.push_back(timed([&] { QTest::keyClick(txtBin, '0'); }));
    }
    report("paste of 1,000,000 digits into txtBin", pastes, 250);
    report("one keystroke after it", keysAfter, 250);
    report("paste of 100,000,000 characters into txtHexa (holds 500)",
           pasteIntoShortField(textArea(window, "txtHexa"), 100'000'000), 50);
    reportBinaryFields(window);

    std::printf("\n%-58s %8s %8s %8s\n", "animation tick, fields as at start (ms)", "mean", "max",
                "target");
    reportTicks(window);
    std::printf("\n%-58s %8s %8s %8s\n", "animation tick, fields at their largest (ms)", "mean",
                "max", "target");
    textArea(window, "txtMensaje")->setText(QString(500, 'a'));
    textArea(window, "txtHexa")->setText(QString(500, 'F'));
    binaryField(window, "txtBinario")->setCodeText(std::string(32'766, '1'));
    binaryField(window, "txtBin")->setCodeText(std::string(16'000'000, '1'));
    reportTicks(window);
    return 0;
}
