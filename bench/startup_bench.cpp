// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost of the program: the time from process start to the first
// paint of the start-up window, and the peak resident memory once the
// converter window shows. Each run is a fresh child process running the
// program's own start-up; figures are over several runs.
//
// vantrel_startup_bench [runs]

#include "application.h"
#include "frmAscii.h"
#include "frmInicio.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr char kChildArgument[] = "--child";

std::int64_t monotonicMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// VmHWM: the peak resident set size of this process, in kB.
long peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Prints the moment of the first paint of the start-up window.
class FirstPaintReporter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            std::printf("paint %lld\n", static_cast<long long>(monotonicMicroseconds()));
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

int runChild(int argc, char *argv[])
{
    QApplication application(argc, argv);
    FirstPaintReporter reporter;
    vantrel::frmInicio &startup = vantrel::app::startupWindow();
    startup.installEventFilter(&reporter);
    startup.show();
    QTimer converterShown;
    QObject::connect(&converterShown, &QTimer::timeout, [] {
        const vantrel::frmAscii *converter = vantrel::app::existingConverterWindow();
        if (converter && converter->isVisible()) {
            std::printf("peak %ld\n", peakResidentKilobytes());
            QCoreApplication::exit(0);
        }
    });
    converterShown.start(5);
    return QApplication::exec();
}

struct Run
{
    double firstPaintMs = 0;
    double peakMegabytes = 0;
};

bool measure(const QString &program, Run &run)
{
    QProcess child;
    const std::int64_t start = monotonicMicroseconds();
    child.start(program, {QString::fromLatin1(kChildArgument)});
    if (!child.waitForFinished(30'000) || child.exitCode() != 0) {
        return false;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 2) {
            continue;
        }
        if (words[0] == "paint") {
            run.firstPaintMs = double(words[1].toLongLong() - start) / 1000.0;
        } else if (words[0] == "peak") {
            run.peakMegabytes = double(words[1].toLong()) / 1024.0;
        }
    }
    return run.firstPaintMs > 0 && run.peakMegabytes > 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kChildArgument) == 0) {
        return runChild(argc, argv);
    }
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10;
    std::vector<double> paints;
    std::vector<double> peaks;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!measure(QCoreApplication::applicationFilePath(), run)) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        paints.push_back(run.firstPaintMs);
        peaks.push_back(run.peakMegabytes);
    }
    std::printf("%-36s %10s %10s\n", "start-up, over runs", "median", "max");
    std::printf("%-36s %10.1f %10.1f\n", "first paint of frmInicio (ms)", median(paints),
                *std::max_element(paints.begin(), paints.end()));
    std::printf("%-36s %10.1f %10.1f\n", "peak resident memory (MB)", median(peaks),
                *std::max_element(peaks.begin(), peaks.end()));
    return 0;
}
