// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"
#include "field_codes.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>

// Keys, input methods, focus and the caret's blinking, the mouse, drag and
// drop, and the context menu.
namespace vantrel {
namespace {

constexpr int kAutoScrollMs = 50;

const char kMenuContext[] = "QWidgetTextControl";

// The shortcut that QPlainTextEdit's menu shows after an entry.
QString shortcutSuffix(QKeySequence::StandardKey key)
{
    if (QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus)) {
        return {};
    }
    return QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
}

bool isShiftOnly(const QKeyEvent *event)
{
    return (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
}

} // namespace

bool BinaryTextEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the field handles itself win over the window's shortcuts.
        auto *key = static_cast<QKeyEvent *>(event);
        const bool typesText = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                               !(key->modifiers() & Qt::ControlModifier);
        const QKeySequence::StandardKey editKeys[] = {QKeySequence::Copy,
                                                      QKeySequence::Cut,
                                                      QKeySequence::Paste,
                                                      QKeySequence::Undo,
                                                      QKeySequence::Redo,
                                                      QKeySequence::SelectAll,
                                                      QKeySequence::Delete,
                                                      QKeySequence::MoveToStartOfDocument,
                                                      QKeySequence::MoveToEndOfDocument};
        if (typesText || std::any_of(std::begin(editKeys), std::end(editKeys),
                                     [key](auto standard) { return key->matches(standard); })) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void BinaryTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_paste) {
        event->accept(); // input waits for the paste
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    if (handleMoveKey(event) || handleEditKey(event)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && !text.at(0).isNull() &&
                           text.at(0).category() != QChar::Other_Control &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (printable && !m_readOnly) {
        insertTyped(fieldcodes::codesFromText(text), EditKind::Typing);
        event->accept();
        return;
    }
    event->ignore();
}

bool BinaryTextEdit::handleMoveKey(QKeyEvent *event)
{
    struct MoveKey
    {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    };
    static constexpr MoveKey kMoveKeys[] = {
        {QKeySequence::MoveToNextChar, Move::NextChar, false},
        {QKeySequence::MoveToPreviousChar, Move::PreviousChar, false},
        {QKeySequence::MoveToNextWord, Move::NextWord, false},
        {QKeySequence::MoveToPreviousWord, Move::PreviousWord, false},
        {QKeySequence::MoveToNextLine, Move::NextLine, false},
        {QKeySequence::MoveToPreviousLine, Move::PreviousLine, false},
        {QKeySequence::MoveToStartOfLine, Move::StartOfLine, false},
        {QKeySequence::MoveToEndOfLine, Move::EndOfLine, false},
        {QKeySequence::MoveToStartOfDocument, Move::StartOfDocument, false},
        {QKeySequence::MoveToEndOfDocument, Move::EndOfDocument, false},
        {QKeySequence::MoveToNextPage, Move::NextPage, false},
        {QKeySequence::MoveToPreviousPage, Move::PreviousPage, false},
        {QKeySequence::SelectNextChar, Move::NextChar, true},
        {QKeySequence::SelectPreviousChar, Move::PreviousChar, true},
        {QKeySequence::SelectNextWord, Move::NextWord, true},
        {QKeySequence::SelectPreviousWord, Move::PreviousWord, true},
        {QKeySequence::SelectNextLine, Move::NextLine, true},
        {QKeySequence::SelectPreviousLine, Move::PreviousLine, true},
        {QKeySequence::SelectStartOfLine, Move::StartOfLine, true},
        {QKeySequence::SelectEndOfLine, Move::EndOfLine, true},
        {QKeySequence::SelectStartOfDocument, Move::StartOfDocument, true},
        {QKeySequence::SelectEndOfDocument, Move::EndOfDocument, true},
        {QKeySequence::SelectNextPage, Move::NextPage, true},
        {QKeySequence::SelectPreviousPage, Move::PreviousPage, true},
    };
    for (const MoveKey &entry : kMoveKeys) {
        if (!event->matches(entry.key)) {
            continue;
        }
        const bool vertical = entry.move == Move::NextLine || entry.move == Move::PreviousLine ||
                              entry.move == Move::NextPage || entry.move == Move::PreviousPage;
        qsizetype target = moved(m_caret, entry.move);
        if (!entry.select && hasSelection() &&
            (entry.move == Move::NextChar || entry.move == Move::PreviousChar)) {
            target = entry.move == Move::NextChar ? selectionEnd() : selectionStart();
        }
        const qreal x = m_layout.x(m_layout.lineOf(m_caret), m_caret);
        if (entry.move == Move::NextPage || entry.move == Move::PreviousPage) {
            const int step = entry.move == Move::NextPage ? pageLines() : -pageLines();
            verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
        }
        const qreal preferred = m_preferredX >= 0 ? m_preferredX : x;
        moveCaret(target, entry.select);
        m_preferredX = vertical ? preferred : -1;
        return true;
    }
    return false;
}

bool BinaryTextEdit::handleEditKey(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (m_readOnly) {
        return false;
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo) ||
               event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
               event->keyCombination() ==
                   QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)) {
        redo();
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        removeSelectionOr(Move::PreviousWord, EditKind::Other);
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        removeSelectionOr(Move::NextWord, EditKind::Other);
    } else if (event->key() == Qt::Key_Backspace && isShiftOnly(event)) {
        removeSelectionOr(Move::PreviousChar, EditKind::DeletingBack);
    } else if (event->matches(QKeySequence::Delete) ||
               (event->key() == Qt::Key_Delete && isShiftOnly(event))) {
        removeSelectionOr(Move::NextChar, EditKind::DeletingForward);
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
               isShiftOnly(event)) {
        insertTyped("\r\n", EditKind::Other);
    } else {
        return false;
    }
    return true;
}

void BinaryTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!acceptsInput()) {
        event->ignore();
        return;
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        qsizetype start = selectionStart();
        qsizetype end = selectionEnd();
        if (event->replacementLength() > 0) {
            start = std::clamp<qsizetype>(m_caret + event->replacementStart(), 0,
                                          qsizetype(m_text.size()));
            end = std::min<qsizetype>(start + event->replacementLength(), qsizetype(m_text.size()));
        }
        replaceRange(start, end, fieldcodes::codesFromText(event->commitString()),
                     EditKind::Typing);
    }
    event->accept();
}

QVariant BinaryTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !m_readOnly;
    case Qt::ImCursorRectangle:
        return caretRectAt(m_caret).translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        // Within the caret's line, the surrounding text.
        const CodeLineLayout::Line line = m_layout.line(m_layout.lineOf(m_caret));
        const qsizetype offset = query == Qt::ImCursorPosition ? m_caret : m_anchor;
        return int(std::clamp(offset, line.start, line.end) - line.start);
    }
    case Qt::ImSurroundingText: {
        const CodeLineLayout::Line line = m_layout.line(m_layout.lineOf(m_caret));
        return fieldcodes::plainText(std::string_view(m_text).substr(
            std::size_t(line.start), std::size_t(line.end - line.start)));
    }
    case Qt::ImCurrentSelection:
        return fieldcodes::plainText(selectedCodeText());
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void BinaryTextEdit::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlinking();
    viewport()->update();
}

void BinaryTextEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    m_caretShown = false;
    viewport()->update();
}

void BinaryTextEdit::restartBlinking()
{
    const bool wanted = hasFocus() && !m_readOnly && isEnabled();
    const int flash = QApplication::cursorFlashTime();
    if (wanted && flash >= 2) {
        m_blinkTimer.start(flash / 2, this);
    } else {
        m_blinkTimer.stop();
    }
    m_caretShown = wanted;
    updateCaretAt(m_caret);
}

void BinaryTextEdit::updateCaretAt(qsizetype offset)
{
    // Only the caret's rectangle: an idle field with a blinking caret paints
    // next to nothing, however long its text.
    viewport()->update(caretRectAt(offset).adjusted(-2, 0, 2, 0));
}

void BinaryTextEdit::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blinkTimer.timerId()) {
        m_caretShown = !m_caretShown;
        updateCaretAt(m_caret);
    } else if (event->timerId() == m_autoScrollTimer.timerId()) {
        autoScroll();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void BinaryTextEdit::autoScroll()
{
    const int y = m_lastMousePoint.y();
    const int height = viewport()->height();
    if (y >= 0 && y < height) {
        m_autoScrollTimer.stop();
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() + (y < 0 ? -1 : 1));
    const QPoint inside(m_lastMousePoint.x(), std::clamp(y, 0, height - 1));
    moveCaret(offsetAt(inside), true);
}

void BinaryTextEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_paste || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const qsizetype offset = offsetAt(point);
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (!extend && hasSelection() && offset >= selectionStart() && offset < selectionEnd()) {
        m_dragCandidate = true;
        m_dragStartPoint = point;
        return;
    }
    m_selecting = true;
    m_lastMousePoint = point;
    moveCaret(offset, extend);
    m_preferredX = -1;
}

void BinaryTextEdit::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_dragCandidate) {
        if ((point - m_dragStartPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragCandidate = false;
            startDrag();
        }
        return;
    }
    if (!m_selecting) {
        return;
    }
    m_lastMousePoint = point;
    if (point.y() < 0 || point.y() >= viewport()->height()) {
        if (!m_autoScrollTimer.isActive()) {
            m_autoScrollTimer.start(kAutoScrollMs, this);
        }
        return;
    }
    m_autoScrollTimer.stop();
    moveCaret(offsetAt(point), true);
}

void BinaryTextEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragCandidate) {
        m_dragCandidate = false; // a click into the selection
        moveCaret(offsetAt(event->position().toPoint()), false);
    }
    m_selecting = false;
    m_autoScrollTimer.stop();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection()) {
        clipboard->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
    }
}

void BinaryTextEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_paste || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    selectWordAt(offsetAt(event->position().toPoint()));
}

void BinaryTextEdit::startDrag()
{
    m_dragSourceStart = selectionStart();
    m_dragSourceEnd = selectionEnd();
    m_movedWithinField = false;
    auto *drag = new QDrag(this);
    drag->setMimeData(createMimeDataFromSelection());
    const Qt::DropActions actions = m_readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    const quint64 revisionBefore = m_revision;
    const Qt::DropAction done = drag->exec(actions, Qt::MoveAction);
    // A text rewritten meanwhile (the drop's conversion) no longer holds
    // what was dragged out.
    if (done == Qt::MoveAction && !m_movedWithinField && !m_readOnly &&
        m_revision == revisionBefore) {
        replaceRange(m_dragSourceStart, m_dragSourceEnd, {}, EditKind::Other);
    }
    m_dragSourceStart = m_dragSourceEnd = -1;
}

void BinaryTextEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (!acceptsInput() || !event->mimeData() || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    dragMoveEvent(event);
}

void BinaryTextEdit::dragMoveEvent(QDragMoveEvent *event)
{
    if (!acceptsInput() || !event->mimeData() || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    m_dropCaret = offsetAt(event->position().toPoint());
    viewport()->update();
    event->acceptProposedAction();
}

void BinaryTextEdit::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dropCaret = -1;
    viewport()->update();
}

void BinaryTextEdit::dropEvent(QDropEvent *event)
{
    m_dropCaret = -1;
    viewport()->update();
    if (!acceptsInput() || !event->mimeData() || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    const qsizetype at = offsetAt(event->position().toPoint());
    const bool fromHere = event->source() == this && m_dragSourceStart >= 0;
    if (fromHere && at >= m_dragSourceStart && at <= m_dragSourceEnd) {
        event->ignore(); // dropped onto itself
        return;
    }
    event->acceptProposedAction();
    if (fromHere && event->dropAction() == Qt::MoveAction) {
        m_movedWithinField = true;
        moveRange(m_dragSourceStart, m_dragSourceEnd, at);
        return;
    }
    setCursorPosition(at);
    insertFromMimeData(event->mimeData());
}

QMenu *BinaryTextEdit::createStandardContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent ? parent : this);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    using Slot = void (BinaryTextEdit::*)();
    const auto add = [this, menu](const char *source, QKeySequence::StandardKey key, bool enabled,
                                  Slot slot, const QString &name) {
        QString caption = QCoreApplication::translate(kMenuContext, source);
        if (key != QKeySequence::UnknownKey) {
            caption += shortcutSuffix(key);
        }
        QAction *action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, slot);
        action->setEnabled(enabled);
        action->setObjectName(name);
    };
    const bool editable = !m_readOnly;
    if (editable) {
        add("&Undo", QKeySequence::Undo, isUndoAvailable(), &BinaryTextEdit::undo,
            QStringLiteral("edit-undo"));
        add("&Redo", QKeySequence::Redo, isRedoAvailable(), &BinaryTextEdit::redo,
            QStringLiteral("edit-redo"));
        menu->addSeparator();
        add("Cu&t", QKeySequence::Cut, hasSelection(), &BinaryTextEdit::cut,
            QStringLiteral("edit-cut"));
    }
    add("&Copy", QKeySequence::Copy, hasSelection(), &BinaryTextEdit::copy,
        QStringLiteral("edit-copy"));
    if (editable) {
        add("&Paste", QKeySequence::Paste, canPaste(), &BinaryTextEdit::paste,
            QStringLiteral("edit-paste"));
        add("Delete", QKeySequence::UnknownKey, hasSelection(), &BinaryTextEdit::deleteSelection,
            QStringLiteral("edit-delete"));
    }
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, !m_text.empty(), &BinaryTextEdit::selectAll,
        QStringLiteral("select-all"));
    return menu;
}

void BinaryTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_paste) {
        return;
    }
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace vantrel
