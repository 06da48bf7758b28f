// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "code_buffer.h"

#include <QtGlobal>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Where the lines of a code text break when it wraps anywhere at a given
// width. A paragraph is the text between two CR LF pairs. A paragraph whose
// codes all have the advance of a digit (a run of binary digits) breaks by
// arithmetic, whatever its length; any other is scanned once, greedily, and
// its line starts are kept, so that an edit re-wraps only the lines from the
// edit to the first line start that did not move.
namespace vantrel {

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

    explicit CodeLineLayout(const CodeBuffer &text);

    // Advances of the 256 codes; the digit's one makes a paragraph uniform.
    void setAdvances(const std::array<qreal, 256> &advances);
    void setWidth(qreal width);
    // The text was replaced as a whole.
    void reset();
    // text[position, position + insertedLength) replaced `removed`.
    void replaced(qsizetype position, std::string_view removed, qsizetype insertedLength);

    [[nodiscard]] qsizetype lineCount() const;
    [[nodiscard]] Line line(qsizetype index) const;
    // The line a caret at `offset` stands on; a wrap point belongs to the
    // line it starts.
    [[nodiscard]] qsizetype lineOf(qsizetype offset) const;
    // Paragraphs by number, from 0: the one that holds a line, and the
    // first line of each (of paragraphCount(), the line count).
    [[nodiscard]] qsizetype paragraphCount() const { return qsizetype(m_paragraphs.size()); }
    [[nodiscard]] qsizetype paragraphOfLine(qsizetype lineIndex) const;
    [[nodiscard]] qsizetype firstLineOf(qsizetype paragraph) const;
    // The distance of `offset` from the start of its line `lineIndex`.
    [[nodiscard]] qreal x(qsizetype lineIndex, qsizetype offset) const;
    // The offset in a line nearest to a distance from its start.
    [[nodiscard]] qsizetype offsetAt(qsizetype lineIndex, qreal x) const;
    [[nodiscard]] qreal advance(unsigned char code) const { return m_advances[code]; }

    // Line breaks (CR LF pairs) that end before `offset`.
    [[nodiscard]] qsizetype lineBreaksBefore(qsizetype offset) const;
    // The offset whose position counts each line break as one character
    // (as plain text does) is `plainOffset`.
    [[nodiscard]] qsizetype offsetOfPlain(qsizetype plainOffset) const;

private:
    // Kept small, as a dump with a line break every few digits has as many
    // paragraphs as lines; a text holds less than 2^31 codes.
    struct Paragraph
    {
        qint32 start = 0;
        qint32 firstLine = 0;
        qint32 length = 0;
        qint32 oddCodes = 0; // codes whose advance is not the digit's
        // Line starts from the paragraph's start; none when it is uniform.
        std::unique_ptr<std::vector<qint32>> lineStarts;
    };

    [[nodiscard]] qsizetype paragraphAt(qsizetype offset) const;
    [[nodiscard]] qsizetype codesPerLine() const;
    [[nodiscard]] qsizetype lineCountOf(const Paragraph &paragraph) const;
    [[nodiscard]] qsizetype lineStartOf(const Paragraph &paragraph, qsizetype index) const;
    [[nodiscard]] qsizetype oddCodesIn(std::string_view codes) const;
    [[nodiscard]] qsizetype oddCodesIn(qsizetype start, qsizetype length) const;
    [[nodiscard]] qsizetype wrappedLineEnd(qsizetype from, qsizetype end) const;
    // Whether the edit at `position` took one code of a line break away
    // from the other, in the text before it.
    [[nodiscard]] bool splitsLineBreak(qsizetype position, std::string_view removed,
                                       qsizetype insertedLength) const;

    [[nodiscard]] std::vector<Paragraph> paragraphsIn(qsizetype from, qsizetype to) const;
    void wrap(Paragraph &paragraph) const;
    void rewrap(Paragraph &paragraph, qsizetype position, qsizetype removedLength,
                qsizetype insertedLength) const;
    void numberLinesFrom(std::size_t paragraphIndex);

    const CodeBuffer &m_text;
    std::array<qreal, 256> m_advances{};
    std::array<bool, 256> m_odd{};
    qreal m_width = 0;
    std::vector<Paragraph> m_paragraphs;
};

} // namespace vantrel
