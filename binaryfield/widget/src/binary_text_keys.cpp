// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_keys.h"

#include "binary_text_edit.h"
#include "binary_text_model.h"
#include "field_codes.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace vantrel {
namespace {

using Move = BinaryTextModel::Move;

bool isShiftOnly(const QKeyEvent &event)
{
    return (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
}

} // namespace

bool BinaryTextKeys::overridesShortcut(const QKeyEvent &event) const
{
    // Keys the field handles itself win over the window's shortcuts.
    const bool typesText = !event.text().isEmpty() && event.text().at(0).isPrint() &&
                           !(event.modifiers() & Qt::ControlModifier);
    const QKeySequence::StandardKey editKeys[] = {QKeySequence::Copy,
                                                  QKeySequence::Cut,
                                                  QKeySequence::Paste,
                                                  QKeySequence::Undo,
                                                  QKeySequence::Redo,
                                                  QKeySequence::SelectAll,
                                                  QKeySequence::Delete,
                                                  QKeySequence::DeleteEndOfLine,
                                                  QKeySequence::MoveToStartOfDocument,
                                                  QKeySequence::MoveToEndOfDocument};
    return typesText || std::any_of(std::begin(editKeys), std::end(editKeys),
                                    [&event](auto standard) { return event.matches(standard); });
}

bool BinaryTextKeys::keyPress(const QKeyEvent &event)
{
    if (moveKey(event) || editKey(event)) {
        return true;
    }
    const QString text = event.text();
    const bool printable = !text.isEmpty() && !text.at(0).isNull() &&
                           text.at(0).category() != QChar::Other_Control &&
                           !(event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (printable) {
        m_field.replaceSelection(fieldcodes::codesFromText(text), EditKind::Typing);
    }
    return printable;
}

bool BinaryTextKeys::moveKey(const QKeyEvent &event)
{
    // Line moves go `lines` lines (pages when `page`) and keep their x.
    struct MoveKey
    {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
        int lines = 0;
        bool page = false;
    };
    static constexpr MoveKey kMoveKeys[] = {
        {QKeySequence::MoveToNextChar, Move::NextChar, false},
        {QKeySequence::MoveToPreviousChar, Move::PreviousChar, false},
        {QKeySequence::MoveToNextWord, Move::NextWord, false},
        {QKeySequence::MoveToPreviousWord, Move::PreviousWord, false},
        {QKeySequence::MoveToNextLine, Move::NextChar, false, 1},
        {QKeySequence::MoveToPreviousLine, Move::NextChar, false, -1},
        {QKeySequence::MoveToStartOfLine, Move::StartOfLine, false},
        {QKeySequence::MoveToEndOfLine, Move::EndOfLine, false},
        {QKeySequence::MoveToStartOfDocument, Move::StartOfDocument, false},
        {QKeySequence::MoveToEndOfDocument, Move::EndOfDocument, false},
        {QKeySequence::MoveToNextPage, Move::NextChar, false, 1, true},
        {QKeySequence::MoveToPreviousPage, Move::NextChar, false, -1, true},
        {QKeySequence::SelectNextChar, Move::NextChar, true},
        {QKeySequence::SelectPreviousChar, Move::PreviousChar, true},
        {QKeySequence::SelectNextWord, Move::NextWord, true},
        {QKeySequence::SelectPreviousWord, Move::PreviousWord, true},
        {QKeySequence::SelectNextLine, Move::NextChar, true, 1},
        {QKeySequence::SelectPreviousLine, Move::NextChar, true, -1},
        {QKeySequence::SelectStartOfLine, Move::StartOfLine, true},
        {QKeySequence::SelectEndOfLine, Move::EndOfLine, true},
        {QKeySequence::SelectStartOfDocument, Move::StartOfDocument, true},
        {QKeySequence::SelectEndOfDocument, Move::EndOfDocument, true},
        {QKeySequence::SelectNextPage, Move::NextChar, true, 1, true},
        {QKeySequence::SelectPreviousPage, Move::NextChar, true, -1, true},
    };
    for (const MoveKey &entry : kMoveKeys) {
        if (!event.matches(entry.key)) {
            continue;
        }
        const qsizetype caret = m_field.m_model->caret();
        const qreal preferred = m_field.caretColumn();
        const bool vertical = entry.lines != 0;
        qsizetype target = entry.page ? pageMoved(caret, entry.lines, preferred)
                           : vertical ? m_field.m_model->linesMoved(caret, entry.lines, preferred)
                                      : m_field.m_model->moved(caret, entry.move);
        if (vertical && !entry.page && !entry.select && target == caret) {
            // A plain Up or Down that cannot go leaves all as it is, but
            // brings the caret into view.
            m_field.ensureCaretVisible();
            return true;
        }
        // Selecting up from the first line or down from the last goes to the
        // text's start or end, and forgets the column, as in Qt's editors; a
        // plain Up or Down stays.
        const bool toTextEnd = vertical && !entry.page && entry.select && target == caret;
        if (toTextEnd) {
            target = entry.lines < 0 ? 0 : m_field.m_model->size();
        }
        if (entry.page && !entry.select && target == caret) {
            return true; // a page move that finds no line to go to leaves the selection
        }
        if (!entry.select && m_field.hasSelection() &&
            (entry.move == Move::NextChar || entry.move == Move::PreviousChar) && !vertical) {
            target =
                entry.move == Move::NextChar ? m_field.selectionEnd() : m_field.selectionStart();
        }
        const std::optional<qreal> pageCaretY = m_field.m_pageCaretY;
        m_field.moveCaret(target, entry.select);
        if (entry.page) {
            m_field.m_pageCaretY = pageCaretY;
        }
        m_field.m_preferredX = vertical && !toTextEnd ? preferred : -1;
        if (entry.select) {
            m_field.offerSelection();
        }
        return true;
    }
    return false;
}

// As QPlainTextEdit pages: the view moves a page first, then the caret
// steps line by line, keeping its x, until it stands at least as far into
// the view as it did when paging began. With the text's end (or start) in
// view already, the caret goes to the last (or first) line.
qsizetype BinaryTextKeys::pageMoved(qsizetype caret, int direction, qreal x)
{
    BinaryTextEdit &field = m_field;
    const CodeLineLayout &layout = field.m_model->layout();
    field.ensureCaretVisible();
    if (!field.m_pageCaretY) {
        field.m_pageCaretY = field.contentTop(layout.lineOf(caret)) - field.verticalOffset();
    }
    qreal caretY = *field.m_pageCaretY;
    if (direction > 0) {
        caretY = scrollPageDown().value_or(caretY);
    } else {
        caretY = scrollPageUp().value_or(caretY);
    }
    caretY += field.verticalOffset();
    qsizetype target = caret;
    for (;;) {
        const qsizetype next = field.m_model->linesMoved(target, direction, x);
        if (next == target && layout.lineOf(next) == layout.lineOf(target)) {
            break;
        }
        target = next;
        const qreal top = field.contentTop(layout.lineOf(target));
        if (direction > 0 ? top >= caretY : top <= caretY) {
            break;
        }
    }
    return target;
}

// Scrolls the view a page down: its first line becomes the first one that
// did not fit whole. With the last paragraph in view it stays, and the
// caret goes to the end: the y to page to, then, is returned.
std::optional<qreal> BinaryTextKeys::scrollPageDown()
{
    BinaryTextEdit &field = m_field;
    const CodeLineLayout &layout = field.m_model->layout();
    const qreal bottom = field.verticalOffset() + field.viewport()->height();
    qsizetype paragraph = field.m_topParagraph;
    qreal y = 0;
    while (y + field.paragraphHeight(paragraph) <= bottom) {
        if (paragraph + 1 >= layout.paragraphCount()) {
            return bottom;
        }
        y += field.paragraphHeight(paragraph++);
    }
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph);
    const qreal fitting = (bottom - y - field.m_naturalHeight) / field.m_lineHeight;
    const qsizetype line =
        std::clamp<qsizetype>(fitting < 0 ? 0 : qsizetype(std::floor(fitting)) + 1, 0, lines - 1);
    field.scrollToLine(layout.firstLineOf(paragraph) + line);
    return std::nullopt;
}

// Scrolls the view a page up: the first line in view becomes the first
// whose top is a view's height above. At the text's top the caret goes to
// the first line: the y to page to, then, is returned.
std::optional<qreal> BinaryTextKeys::scrollPageUp()
{
    BinaryTextEdit &field = m_field;
    const CodeLineLayout &layout = field.m_model->layout();
    const qreal top = field.verticalOffset() - field.viewport()->height();
    const qsizetype firstInView = field.m_topParagraph;
    std::optional<qreal> caretY;
    qsizetype paragraph = firstInView;
    qreal y = 0;
    while (y >= top) {
        if (paragraph == 0) {
            if (firstInView == 0 && field.m_topLineInParagraph == 0) {
                caretY = 0;
            }
            break;
        }
        y -= field.paragraphHeight(--paragraph);
    }
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph);
    const qreal below = (top - y) / field.m_lineHeight;
    qsizetype line = below <= 0 ? 0 : qsizetype(std::ceil(below));
    if (line >= lines) {
        if (paragraph + 1 < layout.paragraphCount() && paragraph + 1 != firstInView) {
            ++paragraph;
            line = 0;
        } else {
            line = lines - 1;
        }
    }
    field.scrollToLine(layout.firstLineOf(paragraph) + line);
    return caretY;
}

bool BinaryTextKeys::editKey(const QKeyEvent &event)
{
    // Copying and selecting all leave the view; every other editing key
    // brings the caret into it, even one that found nothing to do.
    if (event.matches(QKeySequence::Copy)) {
        m_field.copy();
        return true;
    }
    if (event.matches(QKeySequence::SelectAll)) {
        m_field.selectAll();
        return true;
    }
    if (event.matches(QKeySequence::Cut)) {
        m_field.cut();
    } else if (event.matches(QKeySequence::Paste)) {
        m_field.paste();
    } else if (event.matches(QKeySequence::Undo)) {
        m_field.undo();
    } else if (event.matches(QKeySequence::Redo)) { // the platform's keys, as in Qt's editors
        m_field.redo();
    } else if (deletionKey(event)) {
        // QPlainTextEdit sets the caret's column anew after a deleting key,
        // even one that found nothing to delete.
        m_field.m_preferredX = -1;
    } else if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
               isShiftOnly(event)) {
        m_field.replaceSelection("\r\n", EditKind::BreakingLine);
    } else {
        return false;
    }
    m_field.ensureCaretVisible();
    return true;
}

// The deleting keys: each takes the selection, or the codes from the caret
// to where its move leads; the end of the paragraph is taken from the
// anchor, selection or not.
bool BinaryTextKeys::deletionKey(const QKeyEvent &event)
{
    using Removal = BinaryTextModel::Removal;
    std::optional<std::pair<Move, EditKind>> fromCaret;
    if (event.matches(QKeySequence::DeleteStartOfWord)) {
        fromCaret = {Move::PreviousWord, EditKind::Other};
    } else if (event.matches(QKeySequence::DeleteEndOfWord)) {
        fromCaret = {Move::NextWord, EditKind::Other};
    } else if (event.key() == Qt::Key_Backspace && isShiftOnly(event)) {
        fromCaret = {Move::PreviousChar, EditKind::DeletingBack};
    } else if (event.matches(QKeySequence::Delete) ||
               (event.key() == Qt::Key_Delete && isShiftOnly(event))) {
        fromCaret = {Move::NextChar, EditKind::DeletingForward};
    } else if (!event.matches(QKeySequence::DeleteEndOfLine)) {
        return false;
    }
    BinaryTextModel &model = *m_field.m_model;
    const std::optional<qreal> pageCaretY = m_field.m_pageCaretY;
    Removal removal = Removal::Nothing;
    m_field.edit([&] {
        removal = fromCaret ? model.removeSelectionOr(fromCaret->first, fromCaret->second)
                            : model.removeToParagraphEnd();
        return true;
    });
    // QPlainTextEdit forgets where paging began when its text cursor reports
    // a move, and a deletion makes it report one only by taking codes that
    // stood before it: a word taken to the right does, though the caret
    // stays; one taken to the left does not, though the caret goes.
    if (removal != Removal::Nothing) {
        m_field.m_pageCaretY = removal == Removal::CursorAtStart ? pageCaretY : std::nullopt;
    }
    return true;
}

void BinaryTextKeys::inputMethod(const QInputMethodEvent &event)
{
    if (!event.commitString().isEmpty() || event.replacementLength() > 0) {
        qsizetype start = m_field.selectionStart();
        qsizetype end = m_field.selectionEnd();
        if (event.replacementLength() > 0) {
            start = m_field.m_model->caret() + event.replacementStart();
            end = start + event.replacementLength();
        }
        // The model makes the range legal: it never splits a line break.
        m_field.edit([&] {
            return m_field.m_model->replace(
                start, end, fieldcodes::codesFromText(event.commitString()), EditKind::Typing);
        });
    }
}

} // namespace vantrel
