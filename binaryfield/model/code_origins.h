// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <optional>
#include <vector>

// Where each code of a text first came in, as Qt's text documents count it:
// every insertion draws fresh numbers from an ever-growing store, and codes
// taken out keep theirs, to bring back on undo. Qt's editors join two
// typed insertions, or two removals by key, into one undo step only when
// their codes are neighbours in that store as well as in the text.
namespace vantrel {

// A run of codes whose origins count up by one from `origin`.
struct OriginRun
{
    qint64 origin = 0;
    qsizetype length = 0;
};
using OriginRuns = std::vector<OriginRun>;

class CodeOrigins
{
public:
    // A new text of `length` codes: one run from a fresh store.
    void reset(qsizetype length);
    // Origins for `length` new codes.
    [[nodiscard]] OriginRuns fresh(qsizetype length);
    // Takes out the origins of the codes [start, end) and puts `runs` in
    // their place.
    OriginRuns exchange(qsizetype start, qsizetype end, OriginRuns runs);

    // The first origin of `runs` when they count up without a gap.
    [[nodiscard]] static std::optional<qint64> contiguousStart(const OriginRuns &runs);
    // Adds `runs` after (or before) `into`, joining runs that meet.
    static void append(OriginRuns &into, const OriginRuns &runs);
    static void prepend(OriginRuns &into, const OriginRuns &runs);

    [[nodiscard]] qsizetype size() const;

private:
    // Splits the run across `position` so that one starts there; returns
    // its index.
    std::size_t splitAt(qsizetype position);
    void joinAround(std::size_t index);

    OriginRuns m_runs;
    qint64 m_next = 0;
};

} // namespace vantrel
