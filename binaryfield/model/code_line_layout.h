// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "block_sums.h"
#include "code_buffer.h"
#include "qt_editor_rules.h"

#include <QtGlobal>
#include <array>
#include <memory>
#include <string_view>
#include <vector>

// Where the lines of a code text break when it wraps anywhere at a given
// width. A paragraph is the text between two CR LF pairs. A paragraph whose
// codes all have the advance of a digit (a run of binary digits) breaks by
// arithmetic, whatever its length; any other breaks greedily, code by code.
//
// The text is cut into blocks of whole paragraphs, a few thousand codes
// each, whose counts of codes, line breaks and lines sit in a Fenwick tree:
// finding a line, a paragraph or an offset, and an edit's update, cost
// O(log blocks) whatever the number of paragraphs. Only the counts are kept
// for every block; the line starts of a block are worked out when something
// asks for them (the lines in view, the caret's) and kept in a small cache.
// A paragraph too long to lay out on demand has a block of its own and keeps
// its line starts, re-wrapped by an edit only from the edit to the first
// line start that did not move.
namespace vantrel {

// How many codes a block of the layout gathers before a new one starts, and
// from what length a paragraph keeps its line starts in a block of its own.
// Tests choose small ones so that a few lines cross many blocks.
struct LayoutBlockSizes
{
    qsizetype target = 4096;
    qsizetype longParagraph = 16384;
};

class CodeLineLayout
{
public:
    // A visual line: the codes [start, end), its line break left out.
    struct Line
    {
        qsizetype start = 0;
        qsizetype end = 0;
        bool endsParagraph = true;
        bool uniform = true; // every code has the digit's advance
    };

    explicit CodeLineLayout(const CodeBuffer &text, LayoutBlockSizes sizes = {});
    ~CodeLineLayout();
    CodeLineLayout(const CodeLineLayout &) = delete;
    CodeLineLayout &operator=(const CodeLineLayout &) = delete;

    // Advances of the 256 codes; the digit's one makes a paragraph uniform.
    void setAdvances(const std::array<qreal, 256> &advances);
    void setWidth(qreal width);
    // The text was replaced as a whole.
    void reset();
    // text[position, position + insertedLength) replaced `removed`.
    void replaced(qsizetype position, std::string_view removed, qsizetype insertedLength);

    [[nodiscard]] qsizetype lineCount() const { return m_sums.total().lines; }
    [[nodiscard]] Line line(qsizetype index) const;
    // The line a caret at `offset` stands on; a wrap point belongs to the
    // line it starts.
    [[nodiscard]] qsizetype lineOf(qsizetype offset) const;
    // Paragraphs by number, from 0: the one that holds a line, and the
    // first line of each (of paragraphCount(), the line count).
    [[nodiscard]] qsizetype paragraphCount() const { return m_sums.total().breaks + 1; }
    [[nodiscard]] qsizetype paragraphOfLine(qsizetype lineIndex) const;
    [[nodiscard]] qsizetype firstLineOf(qsizetype paragraph) const;
    // The distance of `offset` from the start of its line `lineIndex`, no
    // further than the width, as Qt places a cursor past hanging spaces.
    [[nodiscard]] qreal x(qsizetype lineIndex, qsizetype offset) const;
    // Where a line's text ends: a tab that passed the edge, and the last
    // spaces of a wrapped line or of a paragraph's last line that passes the
    // edge, hang past it, as in Qt's text layout, and take neither clicks
    // nor highlight.
    [[nodiscard]] qsizetype textEnd(const Line &line) const;
    // The offset in a line nearest to a distance from its start.
    [[nodiscard]] qsizetype offsetAt(qsizetype lineIndex, qreal x) const;
    // The advance of a code that stands `x` from the start of its line.
    [[nodiscard]] qreal advanceAt(unsigned char code, qreal x) const
    {
        return code == '\t' ? qteditor::tabAdvance(x) : m_advances[code];
    }

    // Line breaks (CR LF pairs) that end before `offset`.
    [[nodiscard]] qsizetype lineBreaksBefore(qsizetype offset) const;
    // The offset whose position counts each line break as one character
    // (as plain text does) is `plainOffset`.
    [[nodiscard]] qsizetype offsetOfPlain(qsizetype plainOffset) const;

private:
    struct LongParagraph;
    struct Block;
    struct BlockLines;
    struct Paragraph;
    class Cache;

    // The advances of a line's codes before `offset`, summed.
    [[nodiscard]] qreal distanceTo(const Line &line, qsizetype offset) const;
    [[nodiscard]] qsizetype codesPerLine() const;
    [[nodiscard]] bool fitsOneLine(qsizetype length) const;
    [[nodiscard]] qsizetype oddCodesIn(std::string_view codes) const;
    [[nodiscard]] qsizetype oddCodesIn(qsizetype start, qsizetype length) const;
    [[nodiscard]] qsizetype wrappedLineEnd(qsizetype from, qsizetype end) const;
    // The lines of the paragraph [start, start + length); with `starts`,
    // their starts from its start are added there unless it is uniform.
    [[nodiscard]] qsizetype wrap(qsizetype start, qsizetype length, qsizetype oddCodes,
                                 std::vector<qint32> *starts) const;
    [[nodiscard]] qsizetype lineCountOf(qsizetype start, qsizetype length, bool holdsTab) const;
    void rewrap(LongParagraph &paragraph, qsizetype start, qsizetype length, qsizetype edit,
                qsizetype removedLength, qsizetype insertedLength) const;

    // Blocks for the whole paragraphs of [from, to); the empty paragraph
    // after a final line break comes too when `to` is the end of the text.
    [[nodiscard]] std::vector<Block> blocksIn(qsizetype from, qsizetype to) const;
    [[nodiscard]] Block longBlock(qsizetype start, qsizetype length, qsizetype next) const;
    [[nodiscard]] bool tryEditInLongParagraph(qsizetype block, qsizetype position,
                                              std::string_view removed, qsizetype insertedLength);
    void replaceBlocks(qsizetype first, qsizetype last, std::vector<Block> fresh);
    [[nodiscard]] bool endsParagraph(qsizetype offset) const;

    // Laying out a block's paragraphs, and finding them.
    [[nodiscard]] const BlockLines &linesOf(qsizetype block, const BlockCounts &before) const;
    [[nodiscard]] Paragraph paragraphIn(qsizetype block, const BlockCounts &before,
                                        const auto &isPast) const;
    [[nodiscard]] Paragraph paragraphAtOffset(qsizetype offset) const;
    [[nodiscard]] Paragraph paragraphOfLineIndex(qsizetype lineIndex) const;
    [[nodiscard]] Paragraph paragraphNumber(qsizetype paragraph) const;
    [[nodiscard]] qsizetype lineStartOf(const Paragraph &paragraph, qsizetype index) const;

    const CodeBuffer &m_text;
    LayoutBlockSizes m_sizes;
    std::array<qreal, 256> m_advances{};
    std::array<bool, 256> m_odd{};
    qreal m_widestAdvance = 1;
    qreal m_width = 0;
    std::vector<Block> m_blocks;
    BlockSums m_sums;
    std::unique_ptr<Cache> m_cache;
};

} // namespace vantrel
