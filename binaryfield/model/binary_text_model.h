// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "code_buffer.h"
#include "code_line_layout.h"
#include "edit_history.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// What a binary text field knows about its text, without a widget: the
// codes (one byte each), their line layout, the caret and the selection, and
// the undo history. Every change of the codes goes through replace(), the one
// place that keeps the rules:
// - a line break is the pair CR LF, and no position (caret, anchor, the ends
//   of a replaced range) ever stands inside one;
// - the layout and the history follow every change;
// - a text never grows past kMaxCodes: a change that would pass it is refused.
namespace vantrel {

// One exchange of codes, as screen readers are told of it.
struct TextExchange
{
    qsizetype start = 0;          // in codes
    qsizetype insertedLength = 0; // in codes
    qsizetype plainStart = 0;     // as plain text counts, a line break one
    qsizetype removedCharacters = 0;
    qsizetype removedLength = 0; // in codes
    // Whether a cursor standing where the codes go in stays before them, as
    // Qt's cursors do when undo puts back codes that were taken with the
    // caret at their start (as Delete takes them).
    bool keepsCursors = false;
};

class BinaryTextModel
{
public:
    // The layout counts in 32 bits.
    static constexpr qsizetype kMaxCodes = (qsizetype(1) << 31) - 1;

    enum class Move {
        PreviousChar,
        NextChar,
        PreviousWord,
        NextWord,
        StartOfLine,
        EndOfLine,
        StartOfParagraph,
        EndOfParagraph,
        StartOfDocument,
        EndOfDocument,
    };

    // Block sizes other than the layout's own are for tests.
    explicit BinaryTextModel(LayoutBlockSizes blockSizes = {});
    BinaryTextModel(const BinaryTextModel &) = delete;
    BinaryTextModel &operator=(const BinaryTextModel &) = delete;

    // The codes, kept in a gap buffer: read them by position or by range.
    [[nodiscard]] const CodeBuffer &buffer() const { return m_codes; }
    [[nodiscard]] char code(qsizetype offset) const { return m_codes[offset]; }
    [[nodiscard]] std::string codes(qsizetype start, qsizetype end) const
    {
        return m_codes.copy(start, end - start);
    }
    // The whole text, copied: for whole-text uses, never per keystroke.
    [[nodiscard]] std::string codes() const { return m_codes.text(); }
    [[nodiscard]] qsizetype size() const { return m_codes.size(); }
    // The length as plain text counts it: a line break one.
    [[nodiscard]] qsizetype plainLength() const;
    // Grows with every change that really alters the codes.
    [[nodiscard]] quint64 revision() const { return m_revision; }
    // Codes other than "0" and "1", kept through every change at the cost of
    // the codes it exchanges: a binary text is valid when there are none.
    [[nodiscard]] qsizetype nonBinaryCodes() const { return m_nonBinaryCodes; }
    [[nodiscard]] const CodeLineLayout &layout() const { return m_layout; }
    [[nodiscard]] CodeLineLayout &layout() { return m_layout; }

    // Replaces codes [start, end) as a user's edit, undoable, and puts the
    // caret after the new codes. Ends inside a line break take the whole
    // pair. False, with nothing changed, when the text would pass kMaxCodes.
    bool replace(qsizetype start, qsizetype end, std::string codes,
                 EditKind kind = EditKind::Other);
    // What a removal took, as Qt's text cursor takes codes: nothing, or
    // codes with the cursor at their start or at their end (see
    // qteditor::takesWithCursorAtStart).
    enum class Removal {
        Nothing,
        CursorAtStart,
        CursorAtEnd,
    };
    // Removes the selection, or the span from the caret to where `move`
    // leads when there is none. Only the latter is of `kind`: a selection
    // goes in an undo step of its own.
    Removal removeSelectionOr(Move move, EditKind kind);
    // Removes from the anchor to the end of the caret's paragraph, its line
    // break left.
    Removal removeToParagraphEnd();
    // Moves codes [start, end) to `to` as one undoable edit, selected there.
    void move(qsizetype start, qsizetype end, qsizetype to);
    // A program write: the whole text, no undo, the caret at the start.
    // False, with nothing changed, when it is longer than kMaxCodes.
    bool reset(std::string codes);

    [[nodiscard]] bool canUndo() const { return m_history.canUndo(); }
    [[nodiscard]] bool canRedo() const { return m_history.canRedo(); }
    bool undo();
    bool redo();

    [[nodiscard]] qsizetype caret() const { return m_caret; }
    [[nodiscard]] qsizetype anchor() const { return m_anchor; }
    [[nodiscard]] bool hasSelection() const { return m_anchor != m_caret; }
    [[nodiscard]] qsizetype selectionStart() const { return std::min(m_anchor, m_caret); }
    [[nodiscard]] qsizetype selectionEnd() const { return std::max(m_anchor, m_caret); }
    [[nodiscard]] std::string selectedCodes() const;
    // Selects from anchor to caret, each made legal. As in Qt's editors,
    // typing that goes on where the last typing ended still joins it,
    // wherever the caret went meanwhile.
    void select(qsizetype anchor, qsizetype caret);
    void moveCaret(qsizetype caret, bool keepAnchor);

    // The offset in range, or the one before it when it lies inside a line
    // break.
    [[nodiscard]] qsizetype legal(qsizetype offset) const;
    // Where a move from `from` leads. Line moves keep the distance `x` from
    // the line's start; they stay put on the first or the last line.
    [[nodiscard]] qsizetype moved(qsizetype from, Move move) const;
    [[nodiscard]] qsizetype linesMoved(qsizetype from, qsizetype lines, qreal x) const;
    // The word at `offset`, as in Qt's editors: the one a double click
    // selects and a screen reader reads. A word longer than `reach` codes
    // either side of the offset is cut there: a screen reader's query reads
    // no more than that.
    [[nodiscard]] std::pair<qsizetype, qsizetype> wordAt(qsizetype offset,
                                                         qsizetype reach = kMaxCodes) const;
    // Where Qt's editors put the start or the end of the word at `offset`,
    // no further than `reach` codes from it; nothing where they would not
    // move (the start at a paragraph's start, or at its end after a space
    // or a mark; the end at a paragraph's end).
    [[nodiscard]] std::optional<qsizetype> startOfWord(qsizetype offset,
                                                       qsizetype reach = kMaxCodes) const;
    [[nodiscard]] std::optional<qsizetype> endOfWord(qsizetype offset,
                                                     qsizetype reach = kMaxCodes) const;
    // The paragraph at `offset` with the line break that ends it.
    [[nodiscard]] std::pair<qsizetype, qsizetype> paragraphAt(qsizetype offset) const;

    // Told of every exchange of codes, after it.
    void setExchangeListener(std::function<void(const TextExchange &)> listener);

private:
    bool exchangeHistoryStep(bool undoing);
    bool replaceTaking(qsizetype start, qsizetype end, std::string codes, EditKind kind,
                       bool takenBackward);
    Removal removeTaking(qsizetype start, qsizetype end, EditKind kind, bool cursorAtStart);
    std::string exchange(qsizetype start, qsizetype end, std::string codes, OriginRuns &origins,
                         bool keepsCursors);
    void record(qsizetype start, qsizetype end, std::string codes, EditKind kind,
                bool joinsPrevious, bool takenBackward = false);
    void settleSelection();
    [[nodiscard]] bool pasteFormattedFirstParagraph(const Edit &paste) const;
    [[nodiscard]] qsizetype paragraphEnd(qsizetype paragraph) const;
    [[nodiscard]] bool isWordCode(qsizetype offset) const;
    void checkInvariants() const;

    CodeBuffer m_codes;
    CodeLineLayout m_layout;
    CodeOrigins m_origins;
    EditHistory m_history;
    qsizetype m_caret = 0;
    qsizetype m_anchor = 0;
    quint64 m_revision = 0;
    qsizetype m_nonBinaryCodes = 0;
    std::function<void(const TextExchange &)> m_exchanged;
};

} // namespace vantrel
