// SPDX-License-Identifier: GPL-3.0-or-later
// The unbounded binary field at the size and font of txtBin (4455 x 1215
// twips, Calibri 12): pastes of up to 100,000,000 digits, keys at the end,
// in the middle and Backspace in fields of 1,000,000 and 16,000,000 digits,
// a screen reader's word, sentence, paragraph and line in 100,000,000,
// the memory each digit costs and the processor time an idle field with a
// blinking caret takes. Times run from the event to the end of all the event
// processing it causes, painting included. Release build, offscreen.

#include "binary_field_element.h"
#include "binary_text_edit.h"
#include "elements.h"
#include "latency.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>
#include <vector>

using namespace vantrel;
using bench::report;
using bench::settle;

namespace {

constexpr int kKeystrokes = 30;

// Milliseconds taken by one action and everything it sets off, ending with
// a repaint of the whole field (an upper bound of what the action dirtied).
double timed(BinaryTextEdit *field, const std::function<void()> &action)
{
    return bench::timed([&] {
        action();
        bench::settle();
        field->viewport()->repaint();
    });
}

// Peak resident memory in bytes since the last reset.
qint64 peakResidentBytes()
{
    return static_cast<qint64>(bench::residentBytes("VmHWM:"));
}

void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Counts the field's paints and the longest wait between two of them.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *viewport) { viewport->installEventFilter(this); }
    void restart()
    {
        m_clock.start();
        m_last = 0;
        m_longestGap = 0;
        m_paints = 0;
    }
    [[nodiscard]] int paints() const { return m_paints; }
    [[nodiscard]] double longestGapMs() const { return double(m_longestGap) / 1e6; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_clock.isValid()) {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestGap = std::max(m_longestGap, now - m_last);
            m_last = now;
            ++m_paints;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestGap = 0;
    int m_paints = 0;
};

void pasteAndWait(BinaryTextEdit *field)
{
    field->paste();
    while (field->isPasting()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Pastes `digits` digits into the emptied field and waits for the result
// to be drawn.
double pasteDigits(BinaryTextEdit *field, qsizetype digits, PaintWatch &watch)
{
    field->clear();
    QGuiApplication::clipboard()->setText(QString(digits, QLatin1Char('1')));
    settle();
    watch.restart();
    return timed(field, [field] { pasteAndWait(field); });
}

void reportPastes(BinaryTextEdit *field, PaintWatch &watch)
{
    struct Case
    {
        const char *name;
        qsizetype digits;
        int runs;
        double targetMs;
    };
    const Case cases[] = {{"paste 100,000 digits", 100'000, 5, 16},
                          {"paste 1,000,000 digits", 1'000'000, 5, 50},
                          {"paste 16,000,000 digits", 16'000'000, 3, 300},
                          {"paste 100,000,000 digits", 100'000'000, 1, 3000}};
    for (const Case &c : cases) {
        std::vector<double> samples;
        for (int run = 0; run < c.runs; ++run) {
            samples.push_back(pasteDigits(field, c.digits, watch));
        }
        report(c.name, samples, c.targetMs);
        if (c.digits >= 16'000'000) {
            std::printf("  %d paints while pasting, longest gap between them %.1f ms\n",
                        watch.paints(), watch.longestGapMs());
        }
    }
}

// Keys into a field holding `text`: at the end, in the middle, and
// Backspace; each edit is taken back, untimed, so the length stays.
void reportKeys(BinaryTextEdit *field, const std::string &text, const char *size)
{
    const auto digits = qsizetype(text.size());
    field->setCodeText(text);
    settle();
    const auto run = [field](qsizetype at, const std::function<void()> &key,
                             const std::function<void()> &back) {
        std::vector<double> samples;
        for (int i = 0; i < kKeystrokes; ++i) {
            field->setCursorPosition(at);
            samples.push_back(timed(field, key));
            back();
        }
        return samples;
    };
    const auto typeDigit = [field] { QTest::keyClick(field, '0'); };
    const auto backspace = [field] { QTest::keyClick(field, Qt::Key_Backspace); };
    const QByteArray end = QByteArray("key at the end of ") + size;
    const QByteArray middle = QByteArray("key in the middle of ") + size;
    const QByteArray erase = QByteArray("Backspace in the middle of ") + size;
    report(end.constData(), run(digits, typeDigit, backspace), 16);
    report(middle.constData(), run(digits / 2, typeDigit, backspace), 16);
    report(erase.constData(), run(digits / 2, backspace, typeDigit), 16);
}

// What a screen reader asks at every caret move, in the middle of
// 100,000,000 digits: each answer is bounded, whatever the text's length.
void reportScreenReaderQueries(BinaryTextEdit *field)
{
    field->setCodeText(std::string(100'000'000, '1'));
    settle();
    QAccessibleTextInterface *reader =
        QAccessible::queryAccessibleInterface(field)->textInterface();
    const std::pair<const char *, QAccessible::TextBoundaryType> boundaries[] = {
        {"word", QAccessible::WordBoundary},
        {"sentence", QAccessible::SentenceBoundary},
        {"paragraph", QAccessible::ParagraphBoundary},
        {"line", QAccessible::LineBoundary}};
    for (const auto &[name, boundary] : boundaries) {
        std::vector<double> samples;
        for (int i = 0; i < kKeystrokes; ++i) {
            samples.push_back(bench::timed([reader, boundary] {
                int start = 0;
                int end = 0;
                (void)reader->textAtOffset(50'000'000, boundary, &start, &end);
            }));
        }
        const QByteArray row = QByteArray("screen reader's ") + name + " in 100,000,000 digits";
        report(row.constData(), samples, 1);
    }
}

// A text that stops being all digits is laid out again by scanning.
void reportFirstLetter(BinaryTextEdit *field)
{
    std::vector<double> samples;
    for (int i = 0; i < 5; ++i) {
        field->setCodeText(std::string(16'000'000, '1'));
        field->setCursorPosition(8'000'000);
        samples.push_back(timed(field, [field] { QTest::keyClick(field, 'a'); }));
    }
    report("first letter into 16,000,000 digits", samples, 300);
}

// The growth of the peak resident memory that a paste causes, per digit.
// The clipboard's own copy of the text is made before and not counted.
double pastePeakPerCode(BinaryTextEdit *field, qsizetype codes)
{
    settle();
    resetPeakResident();
    const qint64 start = peakResidentBytes();
    pasteAndWait(field);
    settle();
    return double(peakResidentBytes() - start) / double(codes);
}

void reportMemory(BinaryTextEdit *field)
{
    const auto print = [](const QString &name, double perDigit) {
        std::printf("%-52s %9.2f %9s %9.0f  %s\n", qPrintable(name), perDigit, "", 4.0,
                    perDigit <= 4 ? "ok" : "HIGH");
    };
    for (const qsizetype digits : {qsizetype(16'000'000), qsizetype(100'000'000)}) {
        field->clear();
        QGuiApplication::clipboard()->setText(QString(digits, QLatin1Char('1')));
        print(QStringLiteral("peak memory growth per digit, paste of %L1 (B)").arg(digits),
              pastePeakPerCode(field, digits));
        // Over the whole text: the old one is kept for undo.
        field->selectAll();
        print(QStringLiteral("  the same again over it, old text kept for undo"),
              pastePeakPerCode(field, digits));
    }
    // A dump in lines of eight digits: each line is a paragraph of its own,
    // ten codes with its CR LF.
    constexpr qsizetype kLines = 1'600'000;
    field->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("01101001\n").repeated(kLines));
    print(QStringLiteral("  per code, 16 M codes in lines of 8 digits (B)"),
          pastePeakPerCode(field, kLines * 10));
    field->clear();
    QGuiApplication::clipboard()->clear();
}

void reportIdle(BinaryTextEdit *field, PaintWatch &watch)
{
    field->setCodeText(std::string(100'000'000, '1'));
    field->setCursorPosition(50'000'000);
    field->window()->activateWindow();
    (void)QTest::qWaitForWindowActive(field->window());
    field->setFocus();
    settle();
    watch.restart();
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    const double cpuBefore = processorSeconds();
    QElapsedTimer wall;
    wall.start();
    loop.exec();
    const double share = (processorSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9);
    std::printf("%-52s %9.2f %9s %9.0f  %s\n", "idle, caret blinking in 100,000,000 (% of a core)",
                share * 100, "", 2.0, share < 0.02 ? "ok" : "HIGH");
    std::printf("  %d paints of the caret in 5 s\n", watch.paints());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A fixed threshold: large blocks then always come from and go back to
    // the system, so the peak resident memory shows what each paste costs.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QWidget window;
    window.resize(4695 / 15, 1455 / 15);
    elements::FieldDesign design;
    design.font = elements::designFont(QStringLiteral("Calibri"), 12);
    design.tooltip = QStringLiteral(" VALOR BINARIO ");
    BinaryTextEdit *field = elements::binaryTextEdit(&window, QStringLiteral("txtBin"),
                                                     QRect(120, 120, 4455, 1215), design);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    field->setFocus();
    PaintWatch watch(field->viewport());

    std::printf("%-52s %9s %9s %9s\n", "binary field (ms)", "median", "p95", "target");
    reportPastes(field, watch);
    reportKeys(field, std::string(1'000'000, '1'), "1,000,000");
    reportKeys(field, std::string(16'000'000, '1'), "16,000,000");
    reportKeys(field, std::string(1'000'000, 'w'), "1,000,000 letters");
    reportFirstLetter(field);
    reportScreenReaderQueries(field);
    reportMemory(field);
    reportIdle(field, watch);
    return 0;
}
