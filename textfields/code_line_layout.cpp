// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_line_layout.h"

#include "binary_digits.h"
#include "field_codes.h"
#include "qt_editor_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vantrel {
namespace {

constexpr unsigned char kDigit = '0';

} // namespace

CodeLineLayout::CodeLineLayout(const CodeBuffer &text) : m_text(text)
{
    m_advances.fill(1);
    m_width = 1;
    reset();
}

void CodeLineLayout::setAdvances(const std::array<qreal, 256> &advances)
{
    m_advances = advances;
    for (std::size_t code = 0; code < m_odd.size(); ++code) {
        m_odd[code] = m_advances[code] != m_advances[kDigit];
    }
    reset();
}

void CodeLineLayout::setWidth(qreal width)
{
    if (width == m_width) {
        return;
    }
    m_width = width;
    for (Paragraph &paragraph : m_paragraphs) {
        wrap(paragraph);
    }
    numberLinesFrom(0);
}

void CodeLineLayout::reset()
{
    m_paragraphs = paragraphsIn(0, m_text.size());
    numberLinesFrom(0);
}

void CodeLineLayout::replaced(qsizetype position, std::string_view removed,
                              qsizetype insertedLength)
{
    const auto removedLength = qsizetype(removed.size());
    const qsizetype delta = insertedLength - removedLength;
    const qsizetype first = paragraphAt(position);
    qsizetype last = paragraphAt(position + removedLength);
    // Undoing an edit that had joined a lone CR and a lone LF puts codes
    // back between them: the line break they made is gone, and its two
    // paragraphs become one.
    if (splitsLineBreak(position, removed, insertedLength) &&
        last + 1 < qsizetype(m_paragraphs.size())) {
        ++last;
    }

    // An edit changes the paragraphs when it removes a line break or makes
    // one, inside the inserted codes or where they meet the old ones.
    const bool newLineBreak =
        m_text.findLineBreak(std::max<qsizetype>(m_paragraphs[first].start, position - 1),
                             position + insertedLength) >= 0;

    if (first == last && !newLineBreak) {
        Paragraph &paragraph = m_paragraphs[first];
        const bool wasUniform = paragraph.oddCodes == 0;
        paragraph.length = qint32(paragraph.length + delta);
        paragraph.oddCodes =
            qint32(paragraph.oddCodes + oddCodesIn(position, insertedLength) - oddCodesIn(removed));
        if (paragraph.oddCodes == 0 || wasUniform) {
            wrap(paragraph);
        } else {
            rewrap(paragraph, position, removedLength, insertedLength);
        }
    } else {
        const Paragraph &lastParagraph = m_paragraphs[last];
        std::vector<Paragraph> fresh = paragraphsIn(
            m_paragraphs[first].start, lastParagraph.start + lastParagraph.length + delta);
        if (first == 0 && last + 1 == qsizetype(m_paragraphs.size())) {
            m_paragraphs = std::move(fresh); // a whole text's list, taken without a copy
            numberLinesFrom(0);
            return;
        }
        const auto begin = m_paragraphs.begin() + first;
        m_paragraphs.erase(begin, m_paragraphs.begin() + last + 1);
        m_paragraphs.insert(m_paragraphs.begin() + first, std::make_move_iterator(fresh.begin()),
                            std::make_move_iterator(fresh.end()));
        const qsizetype freshEnd = first + qsizetype(fresh.size());
        for (auto it = m_paragraphs.begin() + freshEnd; it != m_paragraphs.end(); ++it) {
            it->start = qint32(it->start + delta);
        }
        numberLinesFrom(std::size_t(first));
        return;
    }
    for (auto it = m_paragraphs.begin() + first + 1; it != m_paragraphs.end(); ++it) {
        it->start = qint32(it->start + delta);
    }
    numberLinesFrom(std::size_t(first));
}

bool CodeLineLayout::splitsLineBreak(qsizetype position, std::string_view removed,
                                     qsizetype insertedLength) const
{
    const auto before = [&](qsizetype offset) { // a code of the text before the edit
        if (offset < position) {
            return m_text[offset];
        }
        const qsizetype inRemoved = offset - position;
        return inRemoved < qsizetype(removed.size())
                   ? removed[std::size_t(inRemoved)]
                   : m_text[offset - qsizetype(removed.size()) + insertedLength];
    };
    const qsizetype oldSize = m_text.size() - insertedLength + qsizetype(removed.size());
    const auto pairAt = [&](qsizetype at) { // a CR LF whose CR stood at `at`
        return at >= 0 && at + 1 < oldSize && before(at) == fieldcodes::kCr &&
               before(at + 1) == fieldcodes::kLf;
    };
    const qsizetype end = position + qsizetype(removed.size());
    return pairAt(position - 1) || (end > position && pairAt(end - 1));
}

qsizetype CodeLineLayout::lineCount() const
{
    const Paragraph &last = m_paragraphs.back();
    return last.firstLine + lineCountOf(last);
}

qsizetype CodeLineLayout::firstLineOf(qsizetype paragraph) const
{
    return paragraph < paragraphCount() ? qsizetype(m_paragraphs[std::size_t(paragraph)].firstLine)
                                        : lineCount();
}

CodeLineLayout::Line CodeLineLayout::line(qsizetype index) const
{
    const Paragraph &paragraph = m_paragraphs[paragraphOfLine(index)];
    const qsizetype inParagraph = index - paragraph.firstLine;
    Line line;
    line.start = paragraph.start + lineStartOf(paragraph, inParagraph);
    line.endsParagraph = inParagraph + 1 >= lineCountOf(paragraph);
    line.end = paragraph.start +
               (line.endsParagraph ? paragraph.length : lineStartOf(paragraph, inParagraph + 1));
    line.uniform = paragraph.oddCodes == 0;
    return line;
}

qsizetype CodeLineLayout::lineOf(qsizetype offset) const
{
    const Paragraph &paragraph = m_paragraphs[paragraphAt(offset)];
    const qsizetype inParagraph = std::min<qsizetype>(offset - paragraph.start, paragraph.length);
    qsizetype index = 0;
    if (paragraph.oddCodes == 0) {
        index = std::min(inParagraph / codesPerLine(), lineCountOf(paragraph) - 1);
    } else {
        const std::vector<qint32> &starts = *paragraph.lineStarts;
        index = std::upper_bound(starts.begin(), starts.end(), inParagraph) - starts.begin() - 1;
    }
    return paragraph.firstLine + index;
}

qreal CodeLineLayout::x(qsizetype lineIndex, qsizetype offset) const
{
    const Line found = line(lineIndex);
    if (found.uniform) {
        return qreal(offset - found.start) * m_advances[kDigit];
    }
    qreal x = 0;
    for (qsizetype i = found.start; i < offset; ++i) {
        x += m_advances[static_cast<unsigned char>(m_text[i])];
    }
    return x;
}

qsizetype CodeLineLayout::offsetAt(qsizetype lineIndex, qreal x) const
{
    // As in QPlainTextEdit's layout: the nearest place between two codes of
    // the line's text, where a wrapped line's text leaves out the spaces it
    // ends with; past that text, the end of a paragraph's last line, or the
    // place before a wrapped line's last code.
    const Line found = line(lineIndex);
    const qsizetype beyond = found.endsParagraph ? found.end : std::max(found.start, found.end - 1);
    qsizetype textEnd = found.end;
    while (!found.endsParagraph && textEnd > found.start &&
           fieldcodes::isSpaceCode(static_cast<unsigned char>(m_text[textEnd - 1]))) {
        --textEnd;
    }
    if (found.uniform) {
        const qreal advance = m_advances[kDigit];
        if (x > qreal(textEnd - found.start) * advance) {
            return beyond;
        }
        return std::min(found.start + qteditor::codesPassed(x, advance), textEnd);
    }
    qreal left = 0;
    for (qsizetype i = found.start; i < textEnd; ++i) {
        const qreal advance = m_advances[static_cast<unsigned char>(m_text[i])];
        if (qteditor::codesPassed(x - left, advance) == 0) {
            return i;
        }
        left += advance;
        if (x <= left) {
            return i + 1;
        }
    }
    return x > left ? beyond : textEnd; // a line of spaces only: its start
}

qsizetype CodeLineLayout::lineBreaksBefore(qsizetype offset) const
{
    return paragraphAt(offset);
}

qsizetype CodeLineLayout::offsetOfPlain(qsizetype plainOffset) const
{
    // Paragraph i starts at plain offset start - i.
    qsizetype low = 0;
    qsizetype high = qsizetype(m_paragraphs.size()) - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (m_paragraphs[middle].start - middle <= plainOffset) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return plainOffset + low;
}

qsizetype CodeLineLayout::paragraphAt(qsizetype offset) const
{
    const auto after = std::upper_bound(
        m_paragraphs.begin(), m_paragraphs.end(), offset,
        [](qsizetype value, const Paragraph &paragraph) { return value < paragraph.start; });
    return std::max<qsizetype>(0, after - m_paragraphs.begin() - 1);
}

qsizetype CodeLineLayout::paragraphOfLine(qsizetype lineIndex) const
{
    const auto after = std::upper_bound(
        m_paragraphs.begin(), m_paragraphs.end(), lineIndex,
        [](qsizetype value, const Paragraph &paragraph) { return value < paragraph.firstLine; });
    return std::max<qsizetype>(0, after - m_paragraphs.begin() - 1);
}

qsizetype CodeLineLayout::codesPerLine() const
{
    return std::max<qsizetype>(1, qsizetype(std::floor(m_width / m_advances[kDigit] + 1e-9)));
}

qsizetype CodeLineLayout::lineCountOf(const Paragraph &paragraph) const
{
    if (paragraph.oddCodes != 0) {
        return qsizetype(paragraph.lineStarts->size());
    }
    const qsizetype perLine = codesPerLine();
    return std::max<qsizetype>(1, (paragraph.length + perLine - 1) / perLine);
}

qsizetype CodeLineLayout::lineStartOf(const Paragraph &paragraph, qsizetype index) const
{
    return paragraph.oddCodes == 0 ? index * codesPerLine() : (*paragraph.lineStarts)[index];
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
    qreal x = 0;
    qsizetype i = from;
    while (i < end) {
        const auto code = static_cast<unsigned char>(m_text[i]);
        const qreal advance = m_advances[code];
        // Spaces that pass the edge hang there, on the line they end, as in
        // Qt's text layout.
        if (i > from && x + advance > m_width && code != ' ') {
            break;
        }
        x += advance;
        ++i;
    }
    return i;
}

std::vector<CodeLineLayout::Paragraph> CodeLineLayout::paragraphsIn(qsizetype from,
                                                                    qsizetype to) const
{
    std::size_t count = 1;
    for (qsizetype at = m_text.findLineBreak(from, to); at >= 0;
         at = m_text.findLineBreak(at + 2, to)) {
        ++count;
    }
    std::vector<Paragraph> paragraphs;
    paragraphs.reserve(count);
    qsizetype start = from;
    while (true) {
        const qsizetype lineBreak = m_text.findLineBreak(start, to);
        const qsizetype end = lineBreak >= 0 ? lineBreak : to;
        Paragraph paragraph;
        paragraph.start = qint32(start);
        paragraph.length = qint32(end - start);
        paragraph.oddCodes = qint32(oddCodesIn(start, end - start));
        wrap(paragraph);
        paragraphs.push_back(std::move(paragraph));
        if (lineBreak < 0) {
            return paragraphs;
        }
        start = lineBreak + 2;
    }
}

void CodeLineLayout::wrap(Paragraph &paragraph) const
{
    paragraph.lineStarts.reset();
    if (paragraph.oddCodes == 0) {
        return;
    }
    auto starts = std::make_unique<std::vector<qint32>>();
    const qsizetype end = paragraph.start + paragraph.length;
    qsizetype start = paragraph.start;
    do {
        starts->push_back(qint32(start - paragraph.start));
        start = wrappedLineEnd(start, end);
    } while (start < end);
    paragraph.lineStarts = std::move(starts);
}

void CodeLineLayout::rewrap(Paragraph &paragraph, qsizetype position, qsizetype removedLength,
                            qsizetype insertedLength) const
{
    const qsizetype edit = position - paragraph.start;
    const qsizetype delta = insertedLength - removedLength;
    const std::vector<qint32> old = std::move(*paragraph.lineStarts);
    // Lines before the one holding the code just before the edit keep
    // their breaks: each depends only on the codes up to its end.
    const auto kept = std::max<qsizetype>(
        1,
        std::upper_bound(old.begin(), old.end(), std::max<qsizetype>(0, edit - 1)) - old.begin());
    std::vector<qint32> starts(old.begin(), old.begin() + kept);
    const qsizetype end = paragraph.start + paragraph.length;
    qsizetype start = paragraph.start + starts.back();
    while (true) {
        start = wrappedLineEnd(start, end);
        if (start >= end) {
            break;
        }
        const qsizetype fromParagraph = start - paragraph.start;
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
    *paragraph.lineStarts = std::move(starts);
}

void CodeLineLayout::numberLinesFrom(std::size_t paragraphIndex)
{
    for (std::size_t i = paragraphIndex; i < m_paragraphs.size(); ++i) {
        m_paragraphs[i].firstLine =
            i == 0 ? 0 : qint32(m_paragraphs[i - 1].firstLine + lineCountOf(m_paragraphs[i - 1]));
    }
}

} // namespace vantrel
