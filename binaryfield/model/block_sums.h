// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <bit>
#include <utility>
#include <vector>

// Running totals over a sequence of blocks of text (codes, line breaks and
// lines in each), kept in a Fenwick tree: a block's change, the totals
// before a block, and the block where a running total passes a value each
// cost O(log n).
namespace vantrel {

struct BlockCounts
{
    qsizetype codes = 0;
    qsizetype breaks = 0; // CR LF pairs
    qsizetype lines = 0;

    BlockCounts &operator+=(const BlockCounts &other)
    {
        codes += other.codes;
        breaks += other.breaks;
        lines += other.lines;
        return *this;
    }
    friend BlockCounts operator-(BlockCounts a, const BlockCounts &b)
    {
        return {a.codes - b.codes, a.breaks - b.breaks, a.lines - b.lines};
    }
    friend bool operator==(const BlockCounts &, const BlockCounts &) = default;
};

class BlockSums
{
public:
    // Replaces every block's counts: O(n).
    void assign(const std::vector<BlockCounts> &blocks)
    {
        m_tree.assign(blocks.size() + 1, {});
        for (std::size_t i = 1; i < m_tree.size(); ++i) {
            m_tree[i] += blocks[i - 1];
            const std::size_t parent = i + (i & (~i + 1));
            if (parent < m_tree.size()) {
                m_tree[parent] += m_tree[i];
            }
        }
        m_total = before(size());
    }
    [[nodiscard]] qsizetype size() const { return qsizetype(m_tree.size()) - 1; }

    void add(qsizetype block, const BlockCounts &delta)
    {
        for (auto i = std::size_t(block) + 1; i < m_tree.size(); i += i & (~i + 1)) {
            m_tree[i] += delta;
        }
        m_total += delta;
    }

    // The totals of blocks [0, block).
    [[nodiscard]] BlockCounts before(qsizetype block) const
    {
        BlockCounts sum;
        for (auto i = std::size_t(block); i > 0; i -= i & (~i + 1)) {
            sum += m_tree[i];
        }
        return sum;
    }
    [[nodiscard]] const BlockCounts &total() const { return m_total; }

    // The last block whose blocks before it total at most `target` as
    // `measure` counts (an additive count that no block makes negative),
    // with those totals.
    template <typename Measure>
    [[nodiscard]] std::pair<qsizetype, BlockCounts> find(qsizetype target, Measure measure) const
    {
        std::size_t position = 0;
        BlockCounts sum;
        for (std::size_t step = std::bit_floor(m_tree.size() - 1); step > 0; step >>= 1) {
            if (position + step >= m_tree.size()) {
                continue;
            }
            BlockCounts next = sum;
            next += m_tree[position + step];
            if (measure(next) <= target) {
                position += step;
                sum = next;
            }
        }
        if (qsizetype(position) == size()) { // past every block: the last one
            return {size() - 1, before(size() - 1)};
        }
        return {qsizetype(position), sum};
    }

private:
    std::vector<BlockCounts> m_tree{1}; // 1-based; m_tree[0] unused
    BlockCounts m_total;
};

} // namespace vantrel
