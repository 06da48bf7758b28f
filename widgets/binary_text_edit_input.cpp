// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"
#include "field_codes.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>

// Keys, input methods, focus and the caret's blinking, the mouse, drag and
// drop, and the context menu.
namespace vantrel {
namespace {

// Qt's editors: the farther the mouse from the view, the faster it scrolls.
int autoScrollInterval(int distance)
{
    const int delta = std::max(distance, 7);
    return 4900 / (delta * delta);
}

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
    if (printable) {
        replaceSelection(fieldcodes::codesFromText(text), EditKind::Typing);
        event->accept();
        return;
    }
    event->ignore();
}

bool BinaryTextEdit::handleMoveKey(QKeyEvent *event)
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
        if (!event->matches(entry.key)) {
            continue;
        }
        const qsizetype caret = m_model.caret();
        const CodeLineLayout &layout = m_model.layout();
        const qreal preferred =
            m_preferredX >= 0 ? m_preferredX : layout.x(layout.lineOf(caret), caret);
        const bool vertical = entry.lines != 0;
        qsizetype target =
            vertical
                ? m_model.linesMoved(caret, entry.lines * (entry.page ? pageLines() : 1), preferred)
                : m_model.moved(caret, entry.move);
        if (!entry.select && hasSelection() &&
            (entry.move == Move::NextChar || entry.move == Move::PreviousChar) && !vertical) {
            target = entry.move == Move::NextChar ? selectionEnd() : selectionStart();
        }
        if (entry.page) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() + entry.lines * pageLines());
        }
        moveCaret(target, entry.select);
        m_preferredX = vertical ? preferred : -1;
        if (entry.select) {
            offerSelection();
        }
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
        edit([this] { return m_model.removeSelectionOr(Move::PreviousWord, EditKind::Other); });
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        edit([this] { return m_model.removeSelectionOr(Move::NextWord, EditKind::Other); });
    } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
        deleteToEndOfParagraph();
    } else if (event->key() == Qt::Key_Backspace && isShiftOnly(event)) {
        edit([this] {
            return m_model.removeSelectionOr(Move::PreviousChar, EditKind::DeletingBack);
        });
    } else if (event->matches(QKeySequence::Delete) ||
               (event->key() == Qt::Key_Delete && isShiftOnly(event))) {
        edit([this] {
            return m_model.removeSelectionOr(Move::NextChar, EditKind::DeletingForward);
        });
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
               isShiftOnly(event)) {
        replaceSelection("\r\n", EditKind::Other);
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
            start = m_model.caret() + event->replacementStart();
            end = start + event->replacementLength();
        }
        // The model makes the range legal: it never splits a line break.
        edit([&] {
            return m_model.replace(start, end, fieldcodes::codesFromText(event->commitString()),
                                   EditKind::Typing);
        });
    }
    event->accept();
}

QVariant BinaryTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return caretRectAt(m_model.caret()).translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        // Within the caret's line, the surrounding text.
        const CodeLineLayout::Line line = lineLayout().line(lineLayout().lineOf(m_model.caret()));
        const qsizetype offset = query == Qt::ImCursorPosition ? m_model.caret() : m_model.anchor();
        return int(std::clamp(offset, line.start, line.end) - line.start);
    }
    case Qt::ImSurroundingText: {
        const CodeLineLayout::Line line = lineLayout().line(lineLayout().lineOf(m_model.caret()));
        return fieldcodes::plainText(
            std::string_view(codeText())
                .substr(std::size_t(line.start), std::size_t(line.end - line.start)));
    }
    case Qt::ImCurrentSelection:
        return fieldcodes::plainText(m_model.selectedCodes());
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
    const bool wanted = hasFocus() && isEnabled();
    const int flash = QApplication::cursorFlashTime();
    if (wanted && flash >= 2) {
        m_blinkTimer.start(flash / 2, this);
    } else {
        m_blinkTimer.stop();
    }
    m_caretShown = wanted;
    updateCaretAt(m_model.caret());
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
        updateCaretAt(m_model.caret());
    } else if (event->timerId() == m_autoScrollTimer.timerId()) {
        autoScroll();
    } else if (event->timerId() == m_tripleClickTimer.timerId()) {
        m_tripleClickTimer.stop();
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
    m_autoScrollTimer.start(autoScrollInterval(y < 0 ? -y : y - height + 1), this);
}

void BinaryTextEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_paste || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressAt(*event);
}

void BinaryTextEdit::pressAt(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    if (m_tripleClickTimer.isActive() &&
        (point - m_doubleClickPoint).manhattanLength() < QApplication::startDragDistance()) {
        m_tripleClickTimer.stop();
        const auto [start, end] = m_model.paragraphAt(offsetAt(point));
        select(start, end);
        return;
    }
    const qsizetype offset = offsetAt(point);
    const bool extend = event.modifiers() & Qt::ShiftModifier;
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
            autoScroll();
        }
        return;
    }
    m_autoScrollTimer.stop();
    moveCaret(offsetAt(point), true);
}

void BinaryTextEdit::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::MiddleButton) {
        // The X11 primary selection, pasted where the button went up.
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (!m_paste && clipboard->supportsSelection()) {
            moveCaret(offsetAt(point), false);
            insertFromMimeData(clipboard->mimeData(QClipboard::Selection));
        }
        return;
    }
    if (m_dragCandidate) {
        m_dragCandidate = false; // a click into the selection
        moveCaret(offsetAt(point), false);
    }
    m_selecting = false;
    m_autoScrollTimer.stop();
    offerSelection();
}

void BinaryTextEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_paste || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const auto [start, end] = m_model.wordAt(offsetAt(point));
    select(start, end);
    offerSelection();
    m_doubleClickPoint = point;
    m_tripleClickTimer.start(QApplication::doubleClickInterval(), this);
}

void BinaryTextEdit::startDrag()
{
    m_dragSourceStart = selectionStart();
    m_dragSourceEnd = selectionEnd();
    m_movedWithinField = false;
    auto *drag = new QDrag(this);
    drag->setMimeData(createMimeDataFromSelection());
    const quint64 revisionBefore = m_model.revision();
    const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    // A text rewritten meanwhile (the drop's conversion) no longer holds
    // what was dragged out.
    if (done == Qt::MoveAction && !m_movedWithinField && m_model.revision() == revisionBefore) {
        const qsizetype start = m_dragSourceStart;
        const qsizetype end = m_dragSourceEnd;
        edit([&] { return m_model.replace(start, end, {}); });
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
        const qsizetype start = m_dragSourceStart;
        const qsizetype end = m_dragSourceEnd;
        edit([&] {
            m_model.move(start, end, at);
            return true;
        });
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
    // Each entry named, and drawn with the icon, after the theme's icon name.
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
        if (QIcon::hasThemeIcon(name)) {
            action->setIcon(QIcon::fromTheme(name));
        }
    };
    add("&Undo", QKeySequence::Undo, isUndoAvailable(), &BinaryTextEdit::undo,
        QStringLiteral("edit-undo"));
    add("&Redo", QKeySequence::Redo, isRedoAvailable(), &BinaryTextEdit::redo,
        QStringLiteral("edit-redo"));
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, hasSelection(), &BinaryTextEdit::cut,
        QStringLiteral("edit-cut"));
    add("&Copy", QKeySequence::Copy, hasSelection(), &BinaryTextEdit::copy,
        QStringLiteral("edit-copy"));
    add("&Paste", QKeySequence::Paste, canPaste(), &BinaryTextEdit::paste,
        QStringLiteral("edit-paste"));
    add("Delete", QKeySequence::UnknownKey, hasSelection(), &BinaryTextEdit::deleteSelection,
        QStringLiteral("edit-delete"));
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, !codeText().empty(), &BinaryTextEdit::selectAll,
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
