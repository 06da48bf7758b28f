// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <string>
#include <string_view>
#include <utility>

// The codes of a binary field, one byte each, held as a gap buffer: the text
// lies in one block with a gap where the last edit was, so edits at one place
// move nothing, however long the text, and an edit elsewhere moves only the
// codes between the two places. The gap is kept to a bounded slack:
// max(kMinimumGap, a 64th of the text) after each growth, and it is given
// back when deletions leave it much larger.
//
// Whoever reads the codes reads them by position, or as at most two
// contiguous pieces (before and after the gap); a copy of a range is made
// only on request.
namespace vantrel {

class CodeBuffer
{
public:
    static constexpr qsizetype kMinimumGap = 64 * 1024;

    CodeBuffer() = default;
    explicit CodeBuffer(std::string codes);

    [[nodiscard]] qsizetype size() const { return qsizetype(m_data.size()) - gapLength(); }
    [[nodiscard]] bool empty() const { return size() == 0; }
    [[nodiscard]] char operator[](qsizetype offset) const
    {
        return m_data[std::size_t(offset < m_gapStart ? offset : offset + gapLength())];
    }

    // The codes [start, start + length), the piece before the gap first; the
    // second piece is empty unless the range spans the gap.
    [[nodiscard]] std::pair<std::string_view, std::string_view> pieces(qsizetype start,
                                                                       qsizetype length) const;
    // Codes [start, start + length) as one piece: a view into the buffer when
    // they are contiguous, else a copy into `scratch`.
    [[nodiscard]] std::string_view view(qsizetype start, qsizetype length,
                                        std::string &scratch) const;
    [[nodiscard]] std::string copy(qsizetype start, qsizetype length) const;
    // The whole text, copied: for whole-text uses, never per keystroke.
    [[nodiscard]] std::string text() const { return copy(0, size()); }
    [[nodiscard]] bool equals(qsizetype start, qsizetype length, std::string_view codes) const;

    // Where `code` first stands in [from, to), or -1.
    [[nodiscard]] qsizetype find(char code, qsizetype from, qsizetype to) const;
    // Where the first CR LF pair whose CR lies in [from, to) starts, or -1;
    // a pair may straddle the gap.
    [[nodiscard]] qsizetype findLineBreak(qsizetype from, qsizetype to) const;
    // Whether codes offset - 1 and offset are a CR LF pair.
    [[nodiscard]] bool insideLineBreak(qsizetype offset) const;

    // Codes [start, end) become `codes`; the gap is left after them.
    void replace(qsizetype start, qsizetype end, std::string_view codes);
    // The whole text becomes `codes`, taken as it is, and the old one is
    // returned: neither is copied.
    std::string exchange(std::string codes);
    // As exchange(), with the new text's spare capacity given back.
    void assign(std::string codes);

    [[nodiscard]] qsizetype gapLength() const { return m_gapEnd - m_gapStart; }

private:
    [[nodiscard]] static qsizetype slackFor(qsizetype size);
    void moveGap(qsizetype to);
    // Rebuilds the block with the gap at m_gapStart, `gap` codes long.
    void reallocate(qsizetype gap);

    std::string m_data; // the codes before the gap, the gap, the codes after it
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
};

} // namespace vantrel
