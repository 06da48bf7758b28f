// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_line_layout.h"

#include "binary_digits.h"
#include "code_rules.h"
#include "qt_editor_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vantrel {
namespace {

constexpr unsigned char kDigit = '0';

// Ways to find a paragraph: by an offset in it, by one of its lines, by its
// number, or by its start as plain text counts (a line break one).
enum class By { Offset, Line, Number, Plain };

qsizetype measure(By by, const BlockCounts &counts)
{
    switch (by) {
    case By::Offset:
        return counts.codes;
    case By::Line:
        return counts.lines;
    case By::Number:
        return counts.breaks;
    case By::Plain:
        return counts.codes - counts.breaks;
    }
    return 0;
}

} // namespace

// A paragraph long enough to keep its layout: the codes whose advance is
// not the digit's, and its line starts unless there are none.
struct CodeLineLayout::LongParagraph
{
    qsizetype oddCodes = 0;
    std::vector<qint32> lineStarts; // from the paragraph's start
};

// A block's counts; each block but the last ends with a line break, and
// the last holds one paragraph more than it has line breaks.
struct CodeLineLayout::Block
{
    BlockCounts counts;
    std::unique_ptr<LongParagraph> longParagraph; // its only paragraph, if long
};

// The paragraphs of a block laid out, from the block's start and its first
// line.
struct CodeLineLayout::BlockLines
{
    struct Entry
    {
        qint32 start = 0;
        qint32 length = 0;
        qint32 firstLine = 0;
        qint32 lines = 1;
        qint32 firstStart = -1; // into lineStarts; -1 when uniform
    };
    std::vector<Entry> paragraphs;
    std::vector<qint32> lineStarts;
};

// A paragraph found, in whole-text terms.
struct CodeLineLayout::Paragraph
{
    qsizetype number = 0;
    qsizetype start = 0;
    qsizetype length = 0; // its line break left out
    qsizetype firstLine = 0;
    qsizetype lines = 1;
    const qint32 *lineStarts = nullptr; // from `start`; none when uniform
};

// The blocks laid out lately, by block number: those in view and the
// caret's are asked for again and again.
class CodeLineLayout::Cache
{
public:
    [[nodiscard]] const BlockLines *find(qsizetype block) const
    {
        for (const auto &[number, lines] : m_entries) {
            if (number == block) {
                return &lines;
            }
        }
        return nullptr;
    }
    BlockLines &add(qsizetype block)
    {
        auto &entry = m_entries[m_next];
        m_next = (m_next + 1) % m_entries.size();
        entry.first = block;
        entry.second.paragraphs.clear();
        entry.second.lineStarts.clear();
        return entry.second;
    }
    void forget(qsizetype first, qsizetype last)
    {
        for (auto &entry : m_entries) {
            if (entry.first >= first && entry.first <= last) {
                entry.first = -1;
            }
        }
    }
    void clear() { forget(0, std::numeric_limits<qsizetype>::max()); }

private:
    std::array<std::pair<qsizetype, BlockLines>, 8> m_entries{
        {{-1, {}}, {-1, {}}, {-1, {}}, {-1, {}}, {-1, {}}, {-1, {}}, {-1, {}}, {-1, {}}}};
    std::size_t m_next = 0;
};

CodeLineLayout::CodeLineLayout(const CodeBuffer &text, LayoutBlockSizes sizes)
    : m_text(text), m_sizes(sizes), m_cache(std::make_unique<Cache>())
{
    m_advances.fill(1);
    m_width = 1;
    reset();
}

CodeLineLayout::~CodeLineLayout() = default;

void CodeLineLayout::setAdvances(const std::array<qreal, 256> &advances)
{
    m_advances = advances;
    for (std::size_t code = 0; code < m_odd.size(); ++code) {
        m_odd[code] = m_advances[code] != m_advances[kDigit];
    }
    // A tab reaches the next tab stop: its advance hangs on where it stands.
    m_odd['\t'] = true;
    // Tabs are measured where they stand, never by the widest advance.
    m_widestAdvance = 0;
    for (std::size_t code = 0; code < m_advances.size(); ++code) {
        if (code != '\t') {
            m_widestAdvance = std::max(m_widestAdvance, m_advances[code]);
        }
    }
    reset();
}

void CodeLineLayout::setWidth(qreal width)
{
    if (width != m_width) {
        m_width = width;
        reset();
    }
}

void CodeLineLayout::reset()
{
    m_blocks.clear();
    replaceBlocks(0, -1, blocksIn(0, m_text.size()));
}

void CodeLineLayout::replaced(qsizetype position, std::string_view removed,
                              qsizetype insertedLength)
{
    const auto removedLength = qsizetype(removed.size());
    const qsizetype delta = insertedLength - removedLength;
    const auto [first, before] =
        m_sums.find(position, [](const BlockCounts &counts) { return counts.codes; });
    if (tryEditInLongParagraph(first, position, removed, insertedLength)) {
        return;
    }
    // The blocks the edit touched are laid out again, with those after them
    // up to a paragraph's start in the new text; a small remainder takes in
    // the next block, so that blocks do not crumble under many edits.
    qsizetype last =
        m_sums
            .find(position + removedLength, [](const BlockCounts &counts) { return counts.codes; })
            .first;
    const qsizetype from = before.codes;
    qsizetype to = m_sums.before(last + 1).codes + delta;
    const auto blockCount = qsizetype(m_blocks.size());
    // At the end of the text only the block of its last, empty paragraph
    // can follow, and that paragraph is laid out again with the others.
    while (last + 1 < blockCount &&
           (to == m_text.size() || !endsParagraph(to) ||
            (to - from < m_sizes.target / 2 && !m_blocks[std::size_t(last + 1)].longParagraph))) {
        ++last;
        to += m_blocks[std::size_t(last)].counts.codes;
    }
    replaceBlocks(first, last, blocksIn(from, to));
}

bool CodeLineLayout::endsParagraph(qsizetype offset) const
{
    return offset == m_text.size() || (offset >= 2 && m_text[offset - 2] == coderules::kCr &&
                                       m_text[offset - 1] == coderules::kLf);
}

bool CodeLineLayout::tryEditInLongParagraph(qsizetype block, qsizetype position,
                                            std::string_view removed, qsizetype insertedLength)
{
    Block &edited = m_blocks[std::size_t(block)];
    if (!edited.longParagraph) {
        return false;
    }
    const qsizetype start = m_sums.before(block).codes;
    const qsizetype oldLength = edited.counts.codes - 2 * edited.counts.breaks;
    const auto removedLength = qsizetype(removed.size());
    // Taking codes of its line break, or making a new one, changes the
    // paragraphs.
    if (position + removedLength > start + oldLength ||
        m_text.findLineBreak(std::max(start, position - 1), position + insertedLength) >= 0) {
        return false;
    }
    LongParagraph &paragraph = *edited.longParagraph;
    const qsizetype delta = insertedLength - removedLength;
    const qsizetype length = oldLength + delta;
    const bool wasUniform = paragraph.oddCodes == 0;
    paragraph.oddCodes += oddCodesIn(position, insertedLength) - oddCodesIn(removed);
    qsizetype lines = 0;
    if (paragraph.oddCodes == 0 || wasUniform) {
        paragraph.lineStarts = {};
        lines = wrap(start, length, paragraph.oddCodes,
                     paragraph.oddCodes != 0 ? &paragraph.lineStarts : nullptr);
    } else {
        rewrap(paragraph, start, length, position - start, removedLength, insertedLength);
        lines = qsizetype(paragraph.lineStarts.size());
    }
    const BlockCounts change{delta, 0, lines - edited.counts.lines};
    edited.counts += change;
    m_sums.add(block, change);
    return true;
}

void CodeLineLayout::replaceBlocks(qsizetype first, qsizetype last, std::vector<Block> fresh)
{
    const auto begin = m_blocks.begin() + first;
    if (qsizetype(fresh.size()) == last - first + 1) {
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            m_sums.add(first + qsizetype(i), fresh[i].counts - begin[qsizetype(i)].counts);
            begin[qsizetype(i)] = std::move(fresh[i]);
        }
        m_cache->forget(first, last);
        return;
    }
    m_blocks.erase(begin, m_blocks.begin() + (last + 1));
    m_blocks.insert(m_blocks.begin() + first, std::make_move_iterator(fresh.begin()),
                    std::make_move_iterator(fresh.end()));
    std::vector<BlockCounts> counts;
    counts.reserve(m_blocks.size());
    for (const Block &block : m_blocks) {
        counts.push_back(block.counts);
    }
    m_sums.assign(counts);
    m_cache->clear();
}

std::vector<CodeLineLayout::Block> CodeLineLayout::blocksIn(qsizetype from, qsizetype to) const
{
    std::vector<Block> blocks;
    Block gathering;
    const auto close = [&] {
        blocks.push_back(std::move(gathering));
        gathering = Block{};
    };
    qsizetype start = from;
    qsizetype tab = m_text.find('\t', from, to); // the next tab, which no shortcut measures
    while (true) {
        const qsizetype lineBreak = m_text.findLineBreak(start, to);
        const qsizetype end = lineBreak >= 0 ? lineBreak : to;
        const qsizetype next = lineBreak >= 0 ? lineBreak + 2 : to;
        if (tab >= 0 && tab < start) {
            tab = m_text.find('\t', start, to);
        }
        const bool holdsTab = tab >= 0 && tab < end;
        if (end - start >= m_sizes.longParagraph) {
            if (gathering.counts.lines > 0) {
                close();
            }
            blocks.push_back(longBlock(start, end - start, next));
        } else {
            gathering.counts +=
                {next - start, lineBreak >= 0 ? 1 : 0, lineCountOf(start, end - start, holdsTab)};
            // A new block starts only where at least half a block is left.
            if (gathering.counts.codes >= m_sizes.target && to - next >= m_sizes.target / 2) {
                close();
            }
        }
        start = next;
        // The empty paragraph after a final line break is the text's last.
        if (lineBreak < 0 || (start == to && to < m_text.size())) {
            break;
        }
    }
    if (gathering.counts.lines > 0) {
        close();
    }
    return blocks;
}

CodeLineLayout::Block CodeLineLayout::longBlock(qsizetype start, qsizetype length,
                                                qsizetype next) const
{
    Block block;
    block.longParagraph = std::make_unique<LongParagraph>();
    LongParagraph &paragraph = *block.longParagraph;
    paragraph.oddCodes = oddCodesIn(start, length);
    block.counts = {next - start, next > start + length ? 1 : 0,
                    wrap(start, length, paragraph.oddCodes, &paragraph.lineStarts)};
    return block;
}

qsizetype CodeLineLayout::codesPerLine() const
{
    return std::max<qsizetype>(1, qsizetype(std::floor(m_width / m_advances[kDigit] + 1e-9)));
}

// Whether a paragraph that long, without tabs, fits one line whatever its
// codes, with room to spare for the rounding of a sum of advances.
bool CodeLineLayout::fitsOneLine(qsizetype length) const
{
    return qreal(length) * m_widestAdvance <= m_width - 1e-3;
}

qsizetype CodeLineLayout::oddCodesIn(std::string_view codes) const
{
    // Runs of binary digits are passed eight at a time.
    const bool binaryDigitsEven = !m_odd['0'] && !m_odd['1'];
    qsizetype count = 0;
    std::size_t i = 0;
    while (i < codes.size()) {
        if (binaryDigitsEven && i + 8 <= codes.size() &&
            detail::nonBinaryBytes(detail::loadBytes(codes.data() + i)) == 0) {
            i += 8;
            continue;
        }
        count += m_odd[static_cast<unsigned char>(codes[i])];
        ++i;
    }
    return count;
}

qsizetype CodeLineLayout::oddCodesIn(qsizetype start, qsizetype length) const
{
    const auto [first, second] = m_text.pieces(start, length);
    return oddCodesIn(first) + oddCodesIn(second);
}

qsizetype CodeLineLayout::wrappedLineEnd(qsizetype from, qsizetype end) const
{
    // As in Qt's text layout, spaces that pass the edge hang there, on the
    // line they end. A tab after them starts the next line; a tab that
    // passes the edge itself hangs, and ends its line.
    qreal x = 0;
    qsizetype i = from;
    const auto [first, second] = m_text.pieces(from, end - from);
    for (const std::string_view piece : {first, second}) {
        for (const char byte : piece) {
            const auto code = static_cast<unsigned char>(byte);
            qreal advance = m_advances[code];
            if (code == '\t') [[unlikely]] {
                advance = qteditor::tabAdvance(x);
                if (i > from && x + advance > m_width) {
                    return x > m_width ? i : i + 1;
                }
            } else if (x + advance > m_width && i > from && code != ' ') {
                return i;
            }
            x += advance;
            ++i;
        }
    }
    return i;
}

qsizetype CodeLineLayout::wrap(qsizetype start, qsizetype length, qsizetype oddCodes,
                               std::vector<qint32> *starts) const
{
    if (oddCodes == 0) {
        const qsizetype perLine = codesPerLine();
        return std::max<qsizetype>(1, (length + perLine - 1) / perLine);
    }
    const qsizetype end = start + length;
    qsizetype lines = 0;
    qsizetype lineStart = start;
    do {
        if (starts) {
            starts->push_back(qint32(lineStart - start));
        }
        ++lines;
        lineStart = wrappedLineEnd(lineStart, end);
    } while (lineStart < end);
    return lines;
}

qsizetype CodeLineLayout::lineCountOf(qsizetype start, qsizetype length, bool holdsTab) const
{
    return !holdsTab && fitsOneLine(length)
               ? 1
               : wrap(start, length, oddCodesIn(start, length), nullptr);
}

void CodeLineLayout::rewrap(LongParagraph &paragraph, qsizetype start, qsizetype length,
                            qsizetype edit, qsizetype removedLength, qsizetype insertedLength) const
{
    const qsizetype delta = insertedLength - removedLength;
    const std::vector<qint32> old = std::move(paragraph.lineStarts);
    // Lines before the one holding the code just before the edit keep
    // their breaks: each depends only on the codes up to its end.
    const auto kept = std::max<qsizetype>(
        1,
        std::upper_bound(old.begin(), old.end(), std::max<qsizetype>(0, edit - 1)) - old.begin());
    std::vector<qint32> starts(old.begin(), old.begin() + kept);
    const qsizetype end = start + length;
    qsizetype lineStart = start + starts.back();
    while (true) {
        lineStart = wrappedLineEnd(lineStart, end);
        if (lineStart >= end) {
            break;
        }
        const qsizetype fromParagraph = lineStart - start;
        if (fromParagraph >= edit + insertedLength) {
            // Once a line starts where an old one did, the rest are the old ones.
            const auto same = std::lower_bound(old.begin(), old.end(), fromParagraph - delta);
            if (same != old.end() && *same == fromParagraph - delta) {
                for (auto it = same; it != old.end(); ++it) {
                    starts.push_back(qint32(*it + delta));
                }
                break;
            }
        }
        starts.push_back(qint32(fromParagraph));
    }
    paragraph.lineStarts = std::move(starts);
}

const CodeLineLayout::BlockLines &CodeLineLayout::linesOf(qsizetype block,
                                                          const BlockCounts &before) const
{
    if (const BlockLines *cached = m_cache->find(block)) {
        return *cached;
    }
    BlockLines &laidOut = m_cache->add(block);
    const qsizetype from = before.codes;
    const qsizetype to = from + m_blocks[std::size_t(block)].counts.codes;
    qsizetype start = from;
    qint32 firstLine = 0;
    while (true) {
        const qsizetype lineBreak = m_text.findLineBreak(start, to);
        const qsizetype end = lineBreak >= 0 ? lineBreak : to;
        BlockLines::Entry entry;
        entry.start = qint32(start - from);
        entry.length = qint32(end - start);
        entry.firstLine = firstLine;
        const qsizetype oddCodes = oddCodesIn(start, end - start);
        if (oddCodes != 0) {
            entry.firstStart = qint32(laidOut.lineStarts.size());
        }
        entry.lines = qint32(
            wrap(start, end - start, oddCodes, oddCodes != 0 ? &laidOut.lineStarts : nullptr));
        firstLine += entry.lines;
        laidOut.paragraphs.push_back(entry);
        start = lineBreak >= 0 ? lineBreak + 2 : to;
        if (lineBreak < 0 || (start == to && to < m_text.size())) {
            return laidOut;
        }
    }
}

CodeLineLayout::Paragraph CodeLineLayout::paragraphIn(qsizetype block, const BlockCounts &before,
                                                      const auto &isPast) const
{
    Paragraph found;
    const Block &holder = m_blocks[std::size_t(block)];
    if (holder.longParagraph) {
        found.number = before.breaks;
        found.start = before.codes;
        found.length = holder.counts.codes - 2 * holder.counts.breaks;
        found.firstLine = before.lines;
        found.lines = holder.counts.lines;
        if (holder.longParagraph->oddCodes != 0) {
            found.lineStarts = holder.longParagraph->lineStarts.data();
        }
        return found;
    }
    const BlockLines &laidOut = linesOf(block, before);
    const auto toParagraph = [&](std::size_t index) {
        const BlockLines::Entry &entry = laidOut.paragraphs[index];
        Paragraph paragraph;
        paragraph.number = before.breaks + qsizetype(index);
        paragraph.start = before.codes + entry.start;
        paragraph.length = entry.length;
        paragraph.firstLine = before.lines + entry.firstLine;
        paragraph.lines = entry.lines;
        if (entry.firstStart >= 0) {
            paragraph.lineStarts = laidOut.lineStarts.data() + entry.firstStart;
        }
        return paragraph;
    };
    // The last paragraph that does not lie past the target.
    std::size_t low = 0;
    std::size_t high = laidOut.paragraphs.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (isPast(toParagraph(middle))) {
            high = middle - 1;
        } else {
            low = middle;
        }
    }
    return toParagraph(low);
}

CodeLineLayout::Paragraph CodeLineLayout::paragraphAtOffset(qsizetype offset) const
{
    const auto [block, before] =
        m_sums.find(offset, [](const BlockCounts &counts) { return measure(By::Offset, counts); });
    return paragraphIn(block, before,
                       [offset](const Paragraph &paragraph) { return paragraph.start > offset; });
}

CodeLineLayout::Paragraph CodeLineLayout::paragraphOfLineIndex(qsizetype lineIndex) const
{
    const auto [block, before] =
        m_sums.find(lineIndex, [](const BlockCounts &counts) { return measure(By::Line, counts); });
    return paragraphIn(block, before, [lineIndex](const Paragraph &paragraph) {
        return paragraph.firstLine > lineIndex;
    });
}

CodeLineLayout::Paragraph CodeLineLayout::paragraphNumber(qsizetype number) const
{
    const auto [block, before] =
        m_sums.find(number, [](const BlockCounts &counts) { return measure(By::Number, counts); });
    return paragraphIn(block, before,
                       [number](const Paragraph &paragraph) { return paragraph.number > number; });
}

qsizetype CodeLineLayout::lineStartOf(const Paragraph &paragraph, qsizetype index) const
{
    return paragraph.lineStarts ? paragraph.lineStarts[index] : index * codesPerLine();
}

CodeLineLayout::Line CodeLineLayout::line(qsizetype index) const
{
    const Paragraph paragraph = paragraphOfLineIndex(index);
    const qsizetype inParagraph = index - paragraph.firstLine;
    Line line;
    line.start = paragraph.start + lineStartOf(paragraph, inParagraph);
    line.endsParagraph = inParagraph + 1 >= paragraph.lines;
    line.end = paragraph.start +
               (line.endsParagraph ? paragraph.length : lineStartOf(paragraph, inParagraph + 1));
    line.uniform = paragraph.lineStarts == nullptr;
    return line;
}

qsizetype CodeLineLayout::lineOf(qsizetype offset) const
{
    const Paragraph paragraph = paragraphAtOffset(offset);
    const qsizetype inParagraph = std::min(offset - paragraph.start, paragraph.length);
    qsizetype index = 0;
    if (paragraph.lineStarts == nullptr) {
        index = std::min(inParagraph / codesPerLine(), paragraph.lines - 1);
    } else {
        const qint32 *starts = paragraph.lineStarts;
        index = std::upper_bound(starts, starts + paragraph.lines, inParagraph) - starts - 1;
    }
    return paragraph.firstLine + index;
}

qsizetype CodeLineLayout::paragraphOfLine(qsizetype lineIndex) const
{
    return paragraphOfLineIndex(lineIndex).number;
}

qsizetype CodeLineLayout::firstLineOf(qsizetype paragraph) const
{
    return paragraph < paragraphCount() ? paragraphNumber(paragraph).firstLine : lineCount();
}

qreal CodeLineLayout::x(qsizetype lineIndex, qsizetype offset) const
{
    // As Qt's layout places the cursor: no further than the width, where
    // spaces and tabs hang past it.
    return std::min(distanceTo(line(lineIndex), offset), m_width);
}

qreal CodeLineLayout::distanceTo(const Line &found, qsizetype offset) const
{
    if (found.uniform) {
        return qreal(offset - found.start) * m_advances[kDigit];
    }
    qreal x = 0;
    for (qsizetype i = found.start; i < offset; ++i) {
        x += advanceAt(static_cast<unsigned char>(m_text[i]), x);
    }
    return x;
}

qsizetype CodeLineLayout::textEnd(const Line &line) const
{
    if (line.end == line.start) {
        return line.end;
    }
    // What hangs past a line's text, as Qt's layout leaves it: a tab that
    // passed the edge, which ended the line; else the spaces after the last
    // code or tab that the line took, on a wrapped line, or on a paragraph's
    // last line that they take past the edge.
    const auto last = static_cast<unsigned char>(m_text[line.end - 1]);
    if (last == '\t') {
        return distanceTo(line, line.end) > m_width ? line.end - 1 : line.end;
    }
    if (line.endsParagraph &&
        (!coderules::isSpaceCode(last) || distanceTo(line, line.end) <= m_width)) {
        return line.end;
    }
    qsizetype end = line.end;
    while (end > line.start && m_text[end - 1] != '\t' &&
           coderules::isSpaceCode(static_cast<unsigned char>(m_text[end - 1]))) {
        --end;
    }
    return end;
}

qsizetype CodeLineLayout::offsetAt(qsizetype lineIndex, qreal x) const
{
    // As in QPlainTextEdit's layout: the nearest place between two codes of
    // the line's text, where a wrapped line's text leaves out the spaces it
    // ends with; past that text, the end of a paragraph's last line, or the
    // place before a wrapped line's last code.
    const Line found = line(lineIndex);
    const qsizetype beyond = found.endsParagraph ? found.end : std::max(found.start, found.end - 1);
    const qsizetype textEnd = this->textEnd(found);
    if (found.uniform) {
        const qreal advance = m_advances[kDigit];
        if (x > qreal(textEnd - found.start) * advance) {
            return beyond;
        }
        return std::min(found.start + qteditor::codesPassed(x, advance), textEnd);
    }
    qreal left = 0;
    for (qsizetype i = found.start; i < textEnd; ++i) {
        // What passes the width takes no room: places there lie on its edge.
        const qreal right =
            std::min(left + advanceAt(static_cast<unsigned char>(m_text[i]), left), m_width);
        if (right <= left) {
            return x > left ? beyond : i;
        }
        const bool passed = m_text[i] == '\t' ? qteditor::passesTab(x - left, right - left)
                                              : qteditor::codesPassed(x - left, right - left) > 0;
        if (!passed) {
            return i;
        }
        left = right;
        if (x <= left) {
            return i + 1;
        }
    }
    return x > left ? beyond : textEnd; // a line of spaces only: its start
}

qsizetype CodeLineLayout::lineBreaksBefore(qsizetype offset) const
{
    return paragraphAtOffset(offset).number;
}

qsizetype CodeLineLayout::offsetOfPlain(qsizetype plainOffset) const
{
    // Paragraph i starts at plain offset start - i.
    const auto [block, before] = m_sums.find(
        plainOffset, [](const BlockCounts &counts) { return measure(By::Plain, counts); });
    const Paragraph paragraph = paragraphIn(block, before, [plainOffset](const Paragraph &found) {
        return found.start - found.number > plainOffset;
    });
    return plainOffset + paragraph.number;
}

} // namespace vantrel
