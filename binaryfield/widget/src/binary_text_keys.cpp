// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_keys.h"

#include "binary_text_control.h"
#include "field_codes.h"

#include <QKeyEvent>

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
        m_control.replaceSelection(fieldcodes::codesFromText(text), EditKind::Typing);
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
        const BinaryTextModel &model = m_control.model();
        const qsizetype caret = model.caret();
        const qreal preferred = m_control.caretColumn();
        const bool vertical = entry.lines != 0;
        qsizetype target = entry.page ? m_control.pageMoved(caret, entry.lines, preferred)
                           : vertical ? model.linesMoved(caret, entry.lines, preferred)
                                      : model.moved(caret, entry.move);
        if (vertical && !entry.page && !entry.select && target == caret) {
            // A plain Up or Down that cannot go leaves all as it is, but
            // brings the caret into view.
            m_control.view().ensureCaretVisible();
            return true;
        }
        // Selecting up from the first line or down from the last goes to the
        // text's start or end, and forgets the column, as in Qt's editors; a
        // plain Up or Down stays.
        const bool toTextEnd = vertical && !entry.page && entry.select && target == caret;
        if (toTextEnd) {
            target = entry.lines < 0 ? 0 : model.size();
        }
        if (entry.page && !entry.select && target == caret) {
            return true; // a page move that finds no line to go to leaves the selection
        }
        if (!entry.select && model.hasSelection() &&
            (entry.move == Move::NextChar || entry.move == Move::PreviousChar) && !vertical) {
            target = entry.move == Move::NextChar ? model.selectionEnd() : model.selectionStart();
        }
        if (vertical) {
            m_control.moveCaretByLines(target, entry.select,
                                       toTextEnd ? std::nullopt : std::optional(preferred),
                                       entry.page);
        } else {
            m_control.moveCaret(target, entry.select);
        }
        if (entry.select) {
            m_control.offerSelection();
        }
        return true;
    }
    return false;
}

bool BinaryTextKeys::editKey(const QKeyEvent &event)
{
    // Copying and selecting all leave the view; every other editing key
    // brings the caret into it, even one that found nothing to do.
    if (event.matches(QKeySequence::Copy)) {
        m_control.copy();
        return true;
    }
    if (event.matches(QKeySequence::SelectAll)) {
        m_control.selectAll();
        return true;
    }
    if (event.matches(QKeySequence::Cut)) {
        m_control.cut();
    } else if (event.matches(QKeySequence::Paste)) {
        m_control.paste();
    } else if (event.matches(QKeySequence::Undo)) {
        m_control.undo();
    } else if (event.matches(QKeySequence::Redo)) { // the platform's keys, as in Qt's editors
        m_control.redo();
    } else if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
               isShiftOnly(event)) {
        m_control.replaceSelection("\r\n", EditKind::BreakingLine);
    } else if (!deletionKey(event)) {
        return false;
    }
    m_control.view().ensureCaretVisible();
    return true;
}

// The deleting keys: each takes the selection, or the codes from the caret
// to where its move leads; the end of the paragraph is taken from the
// anchor, selection or not.
bool BinaryTextKeys::deletionKey(const QKeyEvent &event)
{
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
    if (fromCaret) {
        m_control.removeSelectionOr(fromCaret->first, fromCaret->second);
    } else {
        m_control.removeToParagraphEnd();
    }
    return true;
}

void BinaryTextKeys::inputMethod(const QInputMethodEvent &event)
{
    if (!event.commitString().isEmpty() || event.replacementLength() > 0) {
        const BinaryTextModel &model = m_control.model();
        qsizetype start = model.selectionStart();
        qsizetype end = model.selectionEnd();
        if (event.replacementLength() > 0) {
            start = model.caret() + event.replacementStart();
            end = start + event.replacementLength();
        }
        m_control.replace(start, end, fieldcodes::codesFromText(event.commitString()),
                          EditKind::Typing);
    }
}

} // namespace vantrel
