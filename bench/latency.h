// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// What the window benchmarks share: timing an action with all the event
// processing it causes, printing medians, reading the process's memory.
namespace vantrel::bench {

inline void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Milliseconds taken by one action and everything it sets off.
inline double timed(const std::function<void()> &action)
{
    settle();
    QElapsedTimer clock;
    clock.start();
    action();
    settle();
    return double(clock.nsecsElapsed()) / 1e6;
}

// One line: the case, its median and 95th percentile against the target.
// Gives the median.
inline double report(const char *name, std::vector<double> samples, double targetMs)
{
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
    std::printf("%-58s %8.2f %8.2f %8.0f  %s\n", name, median, p95, targetMs,
                median < targetMs ? "ok" : "SLOW");
    return median;
}

// A line of /proc/self/status in bytes: "VmRSS:" now, "VmHWM:" at the peak.
inline double residentBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() * 1024;
        }
    }
    return 0;
}

} // namespace vantrel::bench
