// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_buffer.h"

#include "code_rules.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

CodeBuffer::CodeBuffer(std::string codes)
{
    assign(std::move(codes));
}

std::pair<std::string_view, std::string_view> CodeBuffer::pieces(qsizetype start,
                                                                 qsizetype length) const
{
    Q_ASSERT(0 <= start && 0 <= length && start + length <= size());
    const qsizetype end = start + length;
    const std::string_view data(m_data);
    std::string_view before;
    std::string_view after;
    if (start < m_gapStart) {
        before = data.substr(std::size_t(start), std::size_t(std::min(end, m_gapStart) - start));
    }
    if (end > m_gapStart) {
        const qsizetype from = std::max(start, m_gapStart);
        after = data.substr(std::size_t(from + gapLength()), std::size_t(end - from));
    }
    return before.empty() ? std::pair{after, before} : std::pair{before, after};
}

std::string_view CodeBuffer::view(qsizetype start, qsizetype length, std::string &scratch) const
{
    const auto [first, second] = pieces(start, length);
    if (second.empty()) {
        return first;
    }
    scratch.assign(first);
    scratch.append(second);
    return scratch;
}

std::string CodeBuffer::copy(qsizetype start, qsizetype length) const
{
    const auto [first, second] = pieces(start, length);
    std::string codes;
    codes.reserve(std::size_t(length));
    codes.append(first);
    codes.append(second);
    return codes;
}

bool CodeBuffer::equals(qsizetype start, qsizetype length, std::string_view codes) const
{
    if (length != qsizetype(codes.size())) {
        return false;
    }
    const auto [first, second] = pieces(start, length);
    return codes.substr(0, first.size()) == first && codes.substr(first.size()) == second;
}

qsizetype CodeBuffer::find(char code, qsizetype from, qsizetype to) const
{
    to = std::min(to, size());
    while (from < to) {
        // The contiguous run from `from`: up to the gap, or past it.
        const bool beforeGap = from < m_gapStart;
        const qsizetype limit = beforeGap ? std::min(to, m_gapStart) : to;
        const char *data = m_data.data() + (beforeGap ? 0 : gapLength());
        if (const void *found = std::memchr(data + from, code, std::size_t(limit - from))) {
            return static_cast<const char *>(found) - data;
        }
        from = limit;
    }
    return -1;
}

qsizetype CodeBuffer::findLineBreak(qsizetype from, qsizetype to) const
{
    to = std::min(to, size());
    if (from < m_gapStart) {
        const std::string_view beforeGap(m_data.data(), std::size_t(m_gapStart));
        const qsizetype found = coderules::findLineBreak(beforeGap, from, std::min(to, m_gapStart));
        if (found >= 0) {
            return found;
        }
        // A CR just before the gap and an LF just after it.
        if (to >= m_gapStart && insideLineBreak(m_gapStart)) {
            return m_gapStart - 1;
        }
        from = m_gapStart;
    }
    // The codes after the gap, at the offsets of the text.
    const std::string_view afterGap(m_data.data() + gapLength(), std::size_t(size()));
    return from < to ? coderules::findLineBreak(afterGap, from, to) : -1;
}

bool CodeBuffer::insideLineBreak(qsizetype offset) const
{
    return offset > 0 && offset < size() &&
           coderules::isLineBreak((*this)[offset - 1], (*this)[offset]);
}

void CodeBuffer::replace(qsizetype start, qsizetype end, std::string_view codes)
{
    Q_ASSERT(0 <= start && start <= end && end <= size());
    // The gap goes to the nearer end of the range, then swallows the range.
    if (m_gapStart < start) {
        moveGap(start);
    } else if (m_gapStart > end) {
        moveGap(end);
    }
    m_gapEnd += end - m_gapStart;
    m_gapStart = start;
    const auto inserted = qsizetype(codes.size());
    // Too small a gap grows; one that deletions left too large shrinks.
    const qsizetype slack = slackFor(size() + inserted);
    if (gapLength() < inserted || gapLength() - inserted > 4 * slack) {
        reallocate(inserted + slack);
    }
    if (inserted > 0) {
        std::memcpy(m_data.data() + m_gapStart, codes.data(), codes.size());
    }
    m_gapStart += inserted;
}

std::string CodeBuffer::exchange(std::string codes)
{
    moveGap(size());
    m_data.resize(std::size_t(m_gapStart));
    std::string old = std::exchange(m_data, std::move(codes));
    m_gapStart = m_gapEnd = qsizetype(m_data.size());
    return old;
}

void CodeBuffer::assign(std::string codes)
{
    m_data = std::move(codes);
    m_data.shrink_to_fit();
    m_gapStart = m_gapEnd = qsizetype(m_data.size());
}

qsizetype CodeBuffer::slackFor(qsizetype size)
{
    return std::max(kMinimumGap, size / 64);
}

void CodeBuffer::moveGap(qsizetype to)
{
    char *data = m_data.data();
    if (to < m_gapStart) {
        const qsizetype moving = m_gapStart - to;
        std::memmove(data + m_gapEnd - moving, data + to, std::size_t(moving));
        m_gapStart -= moving;
        m_gapEnd -= moving;
    } else if (to > m_gapStart) {
        const qsizetype moving = to - m_gapStart;
        std::memmove(data + m_gapStart, data + m_gapEnd, std::size_t(moving));
        m_gapStart += moving;
        m_gapEnd += moving;
    }
}

void CodeBuffer::reallocate(qsizetype gap)
{
    const std::string_view data(m_data);
    std::string fresh;
    fresh.reserve(std::size_t(size() + gap));
    fresh.append(data.substr(0, std::size_t(m_gapStart)));
    fresh.append(std::size_t(gap), '\0');
    fresh.append(data.substr(std::size_t(m_gapEnd)));
    m_data = std::move(fresh);
    m_gapEnd = m_gapStart + gap;
}

} // namespace vantrel
