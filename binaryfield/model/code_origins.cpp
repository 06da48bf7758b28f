// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_origins.h"

#include <numeric>

namespace vantrel {
namespace {

bool meet(const OriginRun &first, const OriginRun &second)
{
    return first.origin + first.length == second.origin;
}

} // namespace

void CodeOrigins::reset(qsizetype length)
{
    m_runs.clear();
    m_next = 0;
    m_runs = fresh(length);
}

OriginRuns CodeOrigins::fresh(qsizetype length)
{
    if (length == 0) {
        return {};
    }
    const OriginRun run{m_next, length};
    m_next += length;
    return {run};
}

OriginRuns CodeOrigins::exchange(qsizetype start, qsizetype end, OriginRuns runs)
{
    Q_ASSERT(0 <= start && start <= end && end <= size());
    const std::size_t first = splitAt(start);
    const std::size_t last = splitAt(end);
    const auto firstRun = m_runs.begin() + std::ptrdiff_t(first);
    const auto lastRun = m_runs.begin() + std::ptrdiff_t(last);
    OriginRuns taken(firstRun, lastRun);
    m_runs.erase(firstRun, lastRun);
    m_runs.insert(m_runs.begin() + std::ptrdiff_t(first), runs.begin(), runs.end());
    joinAround(first + runs.size());
    joinAround(first);
    return taken;
}

std::optional<qint64> CodeOrigins::contiguousStart(const OriginRuns &runs)
{
    if (runs.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < runs.size(); ++i) {
        if (!meet(runs[i - 1], runs[i])) {
            return std::nullopt;
        }
    }
    return runs.front().origin;
}

void CodeOrigins::append(OriginRuns &into, const OriginRuns &runs)
{
    for (const OriginRun &run : runs) {
        if (!into.empty() && meet(into.back(), run)) {
            into.back().length += run.length;
        } else {
            into.push_back(run);
        }
    }
}

void CodeOrigins::prepend(OriginRuns &into, const OriginRuns &runs)
{
    OriginRuns joined = runs;
    append(joined, into);
    into = std::move(joined);
}

qsizetype CodeOrigins::size() const
{
    return std::accumulate(m_runs.begin(), m_runs.end(), qsizetype(0),
                           [](qsizetype sum, const OriginRun &run) { return sum + run.length; });
}

std::size_t CodeOrigins::splitAt(qsizetype position)
{
    qsizetype runStart = 0;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        const OriginRun run = m_runs[i];
        if (position == runStart) {
            return i;
        }
        if (position < runStart + run.length) {
            const qsizetype head = position - runStart;
            m_runs[i].length = head;
            m_runs.insert(m_runs.begin() + std::ptrdiff_t(i) + 1,
                          OriginRun{run.origin + head, run.length - head});
            return i + 1;
        }
        runStart += run.length;
    }
    return m_runs.size();
}

// Joins the run at `index` to the one before it when their origins meet.
void CodeOrigins::joinAround(std::size_t index)
{
    if (index == 0 || index >= m_runs.size() || !meet(m_runs[index - 1], m_runs[index])) {
        return;
    }
    m_runs[index - 1].length += m_runs[index].length;
    m_runs.erase(m_runs.begin() + std::ptrdiff_t(index));
}

} // namespace vantrel
