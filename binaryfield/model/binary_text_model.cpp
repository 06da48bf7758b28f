// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_model.h"

#include "binary_digit_count.h"
#include "code_rules.h"
#include "qt_editor_rules.h"

namespace vantrel {

BinaryTextModel::BinaryTextModel(LayoutBlockSizes blockSizes) : m_layout(m_codes, blockSizes)
{}

qsizetype BinaryTextModel::plainLength() const
{
    return size() - m_layout.lineBreaksBefore(size());
}

std::string BinaryTextModel::selectedCodes() const
{
    return codes(selectionStart(), selectionEnd());
}

qsizetype BinaryTextModel::legal(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, size());
    return m_codes.insideLineBreak(offset) ? offset - 1 : offset;
}

bool BinaryTextModel::replace(qsizetype start, qsizetype end, std::string codes, EditKind kind)
{
    return replaceTaking(start, end, std::move(codes), kind, m_caret < m_anchor);
}

bool BinaryTextModel::replaceTaking(qsizetype start, qsizetype end, std::string codes,
                                    EditKind kind, bool takenBackward)
{
    const bool insertion = end <= start;
    start = legal(start);
    end = insertion ? start : std::clamp<qsizetype>(end, start, size());
    if (m_codes.insideLineBreak(end)) {
        ++end; // the whole pair
    }
    if (start == end && codes.empty()) {
        return true;
    }
    if (size() - (end - start) + qsizetype(codes.size()) > kMaxCodes) {
        return false;
    }
    const qsizetype caret = start + qsizetype(codes.size());
    if (kind == EditKind::BreakingLine && start == end && paragraphAt(start).first == start &&
        moved(start, Move::EndOfParagraph) == start) {
        record(start, start, {}, EditKind::FormattingParagraph, false);
    }
    record(start, end, std::move(codes), kind, false, takenBackward);
    m_caret = m_anchor = caret;
    settleSelection();
    return true;
}

BinaryTextModel::Removal BinaryTextModel::removeSelectionOr(Move move, EditKind kind)
{
    if (hasSelection()) {
        return removeTaking(selectionStart(), selectionEnd(), EditKind::Other, m_caret < m_anchor);
    }
    const qsizetype other = moved(m_caret, move);
    const bool wordMove = move == Move::PreviousWord || move == Move::NextWord;
    return removeTaking(std::min(other, m_caret), std::max(other, m_caret), kind,
                        qteditor::takesWithCursorAtStart(wordMove, other > m_caret));
}

// Qt's cursor goes to the paragraph's end first: the codes go with it at
// their end unless the anchor lies beyond.
BinaryTextModel::Removal BinaryTextModel::removeToParagraphEnd()
{
    const qsizetype end = moved(m_caret, Move::EndOfParagraph);
    return removeTaking(std::min(m_anchor, end), std::max(m_anchor, end), EditKind::Other,
                        qteditor::takesWithCursorAtStart(true, end > m_anchor));
}

BinaryTextModel::Removal BinaryTextModel::removeTaking(qsizetype start, qsizetype end,
                                                       EditKind kind, bool cursorAtStart)
{
    const quint64 revision = m_revision;
    replaceTaking(start, end, {}, kind, cursorAtStart);
    if (m_revision == revision) {
        return Removal::Nothing;
    }
    return cursorAtStart ? Removal::CursorAtStart : Removal::CursorAtEnd;
}

void BinaryTextModel::move(qsizetype start, qsizetype end, qsizetype to)
{
    start = legal(start);
    end = legal(end);
    to = legal(to);
    Q_ASSERT(start <= end && (to <= start || to >= end));
    std::string moving = codes(start, end);
    const auto length = qsizetype(moving.size());
    record(start, end, {}, EditKind::Other, false);
    if (to >= end) {
        to -= length;
    }
    record(to, to, std::move(moving), EditKind::Other, true); // one undo step
    m_anchor = to;
    m_caret = to + length;
    settleSelection();
}

bool BinaryTextModel::reset(std::string codes)
{
    if (qsizetype(codes.size()) > kMaxCodes) {
        return false;
    }
    if (!m_codes.equals(0, size(), codes)) {
        ++m_revision;
    }
    const qsizetype removedCharacters = plainLength();
    const qsizetype removedLength = size();
    m_nonBinaryCodes = qsizetype(nonBinaryDigitCount(codes));
    m_codes.assign(std::move(codes));
    m_layout.reset();
    m_origins.reset(size());
    m_history.clear();
    m_caret = m_anchor = 0;
    if (m_exchanged) {
        m_exchanged({0, size(), 0, removedCharacters, removedLength});
    }
    checkInvariants();
    return true;
}

bool BinaryTextModel::undo()
{
    return exchangeHistoryStep(true);
}

bool BinaryTextModel::redo()
{
    return exchangeHistoryStep(false);
}

bool BinaryTextModel::exchangeHistoryStep(bool undoing)
{
    bool changed = false;
    do {
        Edit *edit = undoing ? m_history.undoStep() : m_history.redoStep();
        if (!edit) {
            break;
        }
        const auto awayLength = qsizetype(edit->away.size());
        const bool formatsParagraph = edit->kind == EditKind::FormattingParagraph ||
                                      (undoing && pasteFormattedFirstParagraph(*edit));
        edit->presentOrigin = CodeOrigins::contiguousStart(edit->awayOrigins).value_or(-1);
        // Undoing puts back the codes the edit took: a cursor where they go
        // stays before them if they were taken with the caret at their start.
        edit->away =
            exchange(edit->position, edit->position + edit->presentLength, std::move(edit->away),
                     edit->awayOrigins, undoing && edit->takenBackward);
        edit->presentLength = awayLength;
        // A paragraph's format changed back or again leaves Qt's caret past
        // that paragraph's line break, or at the end of the text.
        m_caret = m_anchor =
            formatsParagraph ? paragraphAt(edit->position).second : edit->position + awayLength;
        changed = true;
    } while (undoing ? m_history.undoGoesOn() : m_history.redoGoesOn());
    if (changed) {
        settleSelection();
    }
    return changed;
}

// Qt's editors give a paste that goes in at the very start of the text, in
// place of nothing, the format of its first paragraph, unless that is empty
// (the paste starts with a line break); undoing the paste undoes that last.
bool BinaryTextModel::pasteFormattedFirstParagraph(const Edit &paste) const
{
    const bool startsWithLineBreak =
        paste.presentLength >= 2 && m_codes.insideLineBreak(paste.position + 1);
    return paste.kind == EditKind::Pasting && paste.position == 0 && paste.away.empty() &&
           !startsWithLineBreak;
}

void BinaryTextModel::select(qsizetype anchor, qsizetype caret)
{
    m_anchor = legal(anchor);
    m_caret = legal(caret);
}

void BinaryTextModel::moveCaret(qsizetype caret, bool keepAnchor)
{
    m_caret = legal(caret);
    if (!keepAnchor) {
        m_anchor = m_caret;
    }
}

void BinaryTextModel::record(qsizetype start, qsizetype end, std::string codes, EditKind kind,
                             bool joinsPrevious, bool takenBackward)
{
    Edit edit;
    edit.takenBackward = takenBackward;
    edit.position = start;
    edit.presentLength = qsizetype(codes.size());
    edit.kind = kind;
    edit.joinsPrevious = joinsPrevious;
    edit.putsLineBreak = coderules::findLineBreak(codes, 0, qsizetype(codes.size())) >= 0;
    edit.endsLine = codes.ends_with("\r\n");
    edit.awayOrigins = m_origins.fresh(edit.presentLength);
    edit.presentOrigin = CodeOrigins::contiguousStart(edit.awayOrigins).value_or(-1);
    edit.away = exchange(start, end, std::move(codes), edit.awayOrigins, false);
    edit.takesLineBreak = coderules::findLineBreak(edit.away, 0, qsizetype(edit.away.size())) >= 0;
    m_history.record(std::move(edit));
}

// `origins` come in as those of `codes` and go out as those of the codes
// taken out.
std::string BinaryTextModel::exchange(qsizetype start, qsizetype end, std::string codes,
                                      OriginRuns &origins, bool keepsCursors)
{
    if (start == end && codes.empty()) {
        origins.clear();
        return {}; // a step that changes nothing
    }
    Q_ASSERT(0 <= start && start <= end && end <= size());
    const qsizetype plainStart = start - m_layout.lineBreaksBefore(start);
    const qsizetype removedCharacters = end - m_layout.lineBreaksBefore(end) - plainStart;
    const auto insertedLength = qsizetype(codes.size());
    if (!m_codes.equals(start, end - start, codes)) {
        ++m_revision;
    }
    const auto [awayFirst, awaySecond] = m_codes.pieces(start, end - start);
    m_nonBinaryCodes += qsizetype(nonBinaryDigitCount(codes)) -
                        qsizetype(nonBinaryDigitCount(awayFirst)) -
                        qsizetype(nonBinaryDigitCount(awaySecond));
    std::string removed;
    if (start == 0 && end == size()) {
        removed = m_codes.exchange(std::move(codes)); // no copy of a whole text
    } else {
        removed = m_codes.copy(start, end - start);
        m_codes.replace(start, end, codes);
    }
    m_layout.replaced(start, removed, insertedLength);
    origins = m_origins.exchange(start, end, std::move(origins));
    if (m_exchanged) {
        m_exchanged(
            {start, insertedLength, plainStart, removedCharacters, end - start, keepsCursors});
    }
    return removed;
}

// Taking out what stood between a lone CR and a lone LF makes them a line
// break, which no position may split.
void BinaryTextModel::settleSelection()
{
    m_caret = legal(m_caret);
    m_anchor = legal(m_anchor);
    checkInvariants();
}

bool BinaryTextModel::isWordCode(qsizetype offset) const
{
    return coderules::isWordCode(static_cast<unsigned char>(m_codes[offset]));
}

qsizetype BinaryTextModel::linesMoved(qsizetype from, qsizetype lines, qreal x) const
{
    const qsizetype line = m_layout.lineOf(from);
    const qsizetype target = std::clamp<qsizetype>(line + lines, 0, m_layout.lineCount() - 1);
    return target == line ? from : m_layout.offsetAt(target, x);
}

qsizetype BinaryTextModel::moved(qsizetype from, Move move) const
{
    const qsizetype length = size();
    switch (move) {
    case Move::PreviousChar:
        return from <= 0 ? 0 : legal(from - 1);
    case Move::NextChar:
        return from >= length ? length : (m_codes.insideLineBreak(from + 1) ? from + 2 : from + 1);
    // Word moves stop at every paragraph's start and end, as in Qt's
    // editors: a line break is a step of its own.
    case Move::PreviousWord: {
        const qsizetype start = paragraphAt(from).first;
        if (from == start) {
            return from == 0 ? 0 : from - 2;
        }
        qsizetype i = from;
        while (i > start && !isWordCode(i - 1)) {
            --i;
        }
        while (i > start && isWordCode(i - 1)) {
            --i;
        }
        return i;
    }
    case Move::NextWord: {
        const qsizetype end = moved(from, Move::EndOfParagraph);
        if (from == end) {
            return end == length ? end : end + 2;
        }
        qsizetype i = from;
        while (i < end && isWordCode(i)) {
            ++i;
        }
        while (i < end && !isWordCode(i)) {
            ++i;
        }
        return i;
    }
    case Move::StartOfLine:
        return m_layout.line(m_layout.lineOf(from)).start;
    case Move::EndOfLine: {
        // A wrapped line ends where the next begins, as in Qt's editors, or
        // before the white space it wrapped at.
        const CodeLineLayout::Line line = m_layout.line(m_layout.lineOf(from));
        const bool wrappedAtSpace =
            !line.endsParagraph && line.end > line.start &&
            coderules::isWhiteSpace(static_cast<unsigned char>(m_codes[line.end - 1]));
        return wrappedAtSpace ? line.end - 1 : line.end;
    }
    case Move::StartOfParagraph:
        return paragraphAt(from).first;
    case Move::EndOfParagraph: {
        // From inside a line break, the end of the paragraph after it.
        const qsizetype paragraph =
            m_layout.lineBreaksBefore(from) + (m_codes.insideLineBreak(from) ? 1 : 0);
        return paragraphEnd(paragraph);
    }
    case Move::StartOfDocument:
        return 0;
    case Move::EndOfDocument:
        return length;
    }
    return from;
}

// Qt's editors see three kinds of character here: white space, marks that
// separate words, and the rest, words.
std::optional<qsizetype> BinaryTextModel::startOfWord(qsizetype offset, qsizetype reach) const
{
    offset = legal(offset);
    const qsizetype start = paragraphAt(offset).first;
    const qsizetype end = moved(start, Move::EndOfParagraph);
    const auto code = [this](qsizetype at) { return static_cast<unsigned char>(m_codes[at]); };
    if (offset == start) {
        return std::nullopt;
    }
    if (offset == end &&
        (coderules::isSpaceCode(code(offset - 1)) || qteditor::isWordSeparator(code(offset - 1)))) {
        return std::nullopt;
    }
    // The word stop before the next position: back over spaces, then over a
    // run of marks or of word characters, no further than `reach`.
    const qsizetype floor = std::max(start, offset - reach);
    qsizetype at = offset < end ? offset + 1 : offset;
    while (at > floor && coderules::isSpaceCode(code(at - 1))) {
        --at;
    }
    if (at > floor && qteditor::isWordSeparator(code(at - 1))) {
        while (at > floor && qteditor::isWordSeparator(code(at - 1))) {
            --at;
        }
    } else {
        while (at > floor && !coderules::isSpaceCode(code(at - 1)) &&
               !qteditor::isWordSeparator(code(at - 1))) {
            --at;
        }
    }
    return at;
}

std::optional<qsizetype> BinaryTextModel::endOfWord(qsizetype offset, qsizetype reach) const
{
    offset = legal(offset);
    const qsizetype end = moved(offset, Move::EndOfParagraph);
    const auto code = [this](qsizetype at) { return static_cast<unsigned char>(m_codes[at]); };
    if (offset >= end) {
        return std::nullopt;
    }
    const qsizetype ceiling = std::min(end, offset + reach);
    qsizetype at = offset;
    if (qteditor::isWordSeparator(code(at))) {
        while (at < ceiling && qteditor::isWordSeparator(code(at))) {
            ++at;
        }
    } else {
        while (at < ceiling && !coderules::isSpaceCode(code(at)) &&
               !qteditor::isWordSeparator(code(at))) {
            ++at;
        }
    }
    return at;
}

std::pair<qsizetype, qsizetype> BinaryTextModel::wordAt(qsizetype offset, qsizetype reach) const
{
    // From the word's start to its end, each only where Qt's editors move.
    const qsizetype start = startOfWord(offset, reach).value_or(legal(offset));
    return {start,
            endOfWord(start, std::max<qsizetype>(0, offset + reach - start)).value_or(start)};
}

// The layout knows where every paragraph starts and ends: no scan of a
// paragraph that may hold the whole text.
std::pair<qsizetype, qsizetype> BinaryTextModel::paragraphAt(qsizetype offset) const
{
    const qsizetype paragraph = m_layout.lineBreaksBefore(legal(offset));
    const qsizetype start = m_layout.line(m_layout.firstLineOf(paragraph)).start;
    const bool last = paragraph + 1 >= m_layout.paragraphCount();
    return {start, last ? size() : paragraphEnd(paragraph) + 2};
}

// Where paragraph `paragraph` ends, before its line break.
qsizetype BinaryTextModel::paragraphEnd(qsizetype paragraph) const
{
    return m_layout.line(m_layout.firstLineOf(paragraph + 1) - 1).end;
}

void BinaryTextModel::setExchangeListener(std::function<void(const TextExchange &)> listener)
{
    m_exchanged = std::move(listener);
}

void BinaryTextModel::checkInvariants() const
{
    Q_ASSERT(size() <= kMaxCodes);
    Q_ASSERT(m_caret == legal(m_caret) && m_anchor == legal(m_anchor));
#ifndef QT_NO_DEBUG
    // The layout's counts agree with the codes at both ends (whole checks
    // would cost what the layout saves).
    Q_ASSERT(m_layout.lineBreaksBefore(0) == 0);
    Q_ASSERT(m_layout.line(m_layout.lineCount() - 1).end <= size());
    Q_ASSERT(m_layout.lineOf(size()) == m_layout.lineCount() - 1);
    Q_ASSERT(m_origins.size() == size());
#endif
}

} // namespace vantrel
