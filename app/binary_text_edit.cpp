#include "binary_text_edit.h"

#include "binary_text_accessible.h"
#include "field_codes.h"
#include "paste_conversion.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <array>

namespace vantrel {
namespace {

// Space between the viewport's edges and the text, as QPlainTextEdit leaves.
constexpr int kMargin = 4;
// Pastes longer than this are converted in slices, the window repainting.
constexpr qsizetype kSlicedPasteLength = 4'000'000;
constexpr int kAutoScrollMs = 50;
constexpr int kProgressBarHeight = 3;

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

BinaryTextEdit::BinaryTextEdit(QWidget *parent) : QAbstractScrollArea(parent)
{
    accessibility::installBinaryTextEditFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    updateMetrics();
}

BinaryTextEdit::~BinaryTextEdit() = default;

// --- program access ---------------------------------------------------------

void BinaryTextEdit::setCodeText(std::string codes)
{
    cancelPaste();
    const CaretState before = caretState();
    const qsizetype oldCharacters = plainLength();
    m_text = std::move(codes);
    m_text.shrink_to_fit();
    m_layout.reset();
    m_history.clear();
    // Like QPlainTextEdit::setPlainText(), the caret goes to the start.
    m_caret = m_anchor = 0;
    m_preferredX = -1;
    notifyScreenReaders(0, oldCharacters, 0, qsizetype(m_text.size()));
    updateScrollBar();
    ensureCaretVisible();
    viewport()->update();
    Q_EMIT textChanged();
    announce(before);
}

QString BinaryTextEdit::toPlainText() const
{
    return fieldcodes::plainText(m_text);
}

void BinaryTextEdit::setPlainText(const QString &text)
{
    setCodeText(fieldcodes::codesFromText(text));
}

void BinaryTextEdit::setCursorPosition(qsizetype position)
{
    setSelection(position, position);
}

void BinaryTextEdit::setSelection(qsizetype anchor, qsizetype position)
{
    const auto legal = [this](qsizetype offset) {
        offset = std::clamp<qsizetype>(offset, 0, qsizetype(m_text.size()));
        return fieldcodes::insideLineBreak(m_text, offset) ? offset - 1 : offset;
    };
    const CaretState before = caretState();
    m_anchor = legal(anchor);
    m_caret = legal(position);
    m_preferredX = -1;
    ensureCaretVisible();
    announce(before);
}

void BinaryTextEdit::moveCursorToEnd()
{
    setCursorPosition(qsizetype(m_text.size()));
}

std::string BinaryTextEdit::selectedCodeText() const
{
    return m_text.substr(std::size_t(selectionStart()),
                         std::size_t(selectionEnd() - selectionStart()));
}

qsizetype BinaryTextEdit::plainLength() const
{
    const auto size = qsizetype(m_text.size());
    return size - m_layout.lineBreaksBefore(size);
}

void BinaryTextEdit::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly) {
        return;
    }
    m_readOnly = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    restartBlinking();
}

bool BinaryTextEdit::canPaste() const
{
    const QMimeData *source = QGuiApplication::clipboard()->mimeData();
    return !m_readOnly && source && canInsertFromMimeData(source);
}

void BinaryTextEdit::replaceAsUser(qsizetype start, qsizetype end, const QString &text)
{
    if (!acceptsInput()) {
        return;
    }
    start = std::clamp<qsizetype>(start, 0, qsizetype(m_text.size()));
    end = std::clamp<qsizetype>(end, start, qsizetype(m_text.size()));
    replaceRange(start, end, fieldcodes::codesFromText(text), EditKind::Other);
}

// --- slots ------------------------------------------------------------------

void BinaryTextEdit::paste()
{
    if (!acceptsInput()) {
        return;
    }
    if (const QMimeData *source = QGuiApplication::clipboard()->mimeData()) {
        insertFromMimeData(source);
    }
}

void BinaryTextEdit::copy()
{
    if (hasSelection()) {
        QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
    }
}

void BinaryTextEdit::cut()
{
    if (hasSelection() && acceptsInput()) {
        copy();
        deleteSelection();
    }
}

void BinaryTextEdit::undo()
{
    if (!m_paste) {
        exchangeHistoryStep(true);
    }
}

void BinaryTextEdit::redo()
{
    if (!m_paste) {
        exchangeHistoryStep(false);
    }
}

void BinaryTextEdit::selectAll()
{
    setSelection(0, qsizetype(m_text.size()));
}

void BinaryTextEdit::clear()
{
    setCodeText({});
}

// --- editing ----------------------------------------------------------------

bool BinaryTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

QMimeData *BinaryTextEdit::createMimeDataFromSelection() const
{
    auto *mime = new QMimeData;
    mime->setText(fieldcodes::plainText(std::string_view(m_text).substr(
        std::size_t(selectionStart()), std::size_t(selectionEnd() - selectionStart()))));
    return mime;
}

void BinaryTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !canInsertFromMimeData(source)) {
        Q_EMIT pasteFinished();
        return;
    }
    QString text = source->text();
    if (text.size() > kSlicedPasteLength) {
        startPaste(std::move(text));
        return;
    }
    insertTyped(fieldcodes::codesFromText(text), EditKind::Other);
    Q_EMIT pasteFinished();
}

void BinaryTextEdit::insertTyped(std::string codes, EditKind kind)
{
    replaceRange(selectionStart(), selectionEnd(), std::move(codes), kind);
}

void BinaryTextEdit::deleteSelection()
{
    replaceRange(selectionStart(), selectionEnd(), {}, EditKind::Other);
}

void BinaryTextEdit::removeSelectionOr(Move move, EditKind kind)
{
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    const qsizetype other = moved(m_caret, move);
    if (other != m_caret) {
        replaceRange(std::min(other, m_caret), std::max(other, m_caret), {}, kind);
    }
}

void BinaryTextEdit::replaceRange(qsizetype start, qsizetype end, std::string codes, EditKind kind,
                                  bool joinsPrevious)
{
    if (start == end && codes.empty()) {
        return; // nothing to do, nothing to tell
    }
    const CaretState before = caretState();
    const auto insertedLength = qsizetype(codes.size());
    Edit edit;
    edit.position = start;
    edit.presentLength = insertedLength;
    edit.kind = kind;
    edit.joinsPrevious = joinsPrevious;
    edit.away = exchange(start, end, std::move(codes));
    m_history.record(std::move(edit));
    m_caret = m_anchor = start + insertedLength;
    m_preferredX = -1;
    ensureCaretVisible();
    restartBlinking();
    Q_EMIT textChanged();
    announce(before);
}

std::string BinaryTextEdit::exchange(qsizetype start, qsizetype end, std::string codes)
{
    const qsizetype plainStart = start - m_layout.lineBreaksBefore(start);
    const qsizetype removedCharacters = end - m_layout.lineBreaksBefore(end) - plainStart;
    const auto insertedLength = qsizetype(codes.size());
    std::string removed;
    if (start == 0 && end == qsizetype(m_text.size())) {
        removed = std::exchange(m_text, std::move(codes)); // no copy of a whole text
    } else {
        removed = m_text.substr(std::size_t(start), std::size_t(end - start));
        m_text.replace(std::size_t(start), std::size_t(end - start), codes);
    }
    m_layout.replaced(start, removed, insertedLength);
    notifyScreenReaders(plainStart, removedCharacters, start, insertedLength);
    updateScrollBar();
    viewport()->update();
    return removed;
}

void BinaryTextEdit::notifyScreenReaders(qsizetype plainStart, qsizetype removedCharacters,
                                         qsizetype start, qsizetype insertedLength)
{
    if (!QAccessible::isActive() || (removedCharacters == 0 && insertedLength == 0)) {
        return;
    }
    const QString inserted = fieldcodes::plainText(
        std::string_view(m_text).substr(std::size_t(start), std::size_t(insertedLength)));
    // As Qt's editors do, the removed text is told by its length alone.
    const QString removed(removedCharacters, QLatin1Char(' '));
    const int position = int(plainStart);
    if (removedCharacters == 0) {
        QAccessibleTextInsertEvent event(this, position, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (insertedLength == 0) {
        QAccessibleTextRemoveEvent event(this, position, removed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, position, removed, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void BinaryTextEdit::exchangeHistoryStep(bool undoing)
{
    const CaretState before = caretState();
    bool changed = false;
    do {
        Edit *edit = undoing ? m_history.undoStep() : m_history.redoStep();
        if (!edit) {
            break;
        }
        const auto awayLength = qsizetype(edit->away.size());
        edit->away =
            exchange(edit->position, edit->position + edit->presentLength, std::move(edit->away));
        edit->presentLength = awayLength;
        m_caret = m_anchor = edit->position + awayLength;
        changed = true;
    } while (undoing ? m_history.undoGoesOn() : m_history.redoGoesOn());
    if (!changed) {
        return;
    }
    m_preferredX = -1;
    ensureCaretVisible();
    Q_EMIT textChanged();
    announce(before);
}

void BinaryTextEdit::startPaste(QString text)
{
    m_pasteStart = selectionStart();
    m_pasteEnd = selectionEnd();
    m_paste = new PasteConversion(std::move(text), this);
    connect(m_paste, &PasteConversion::progressed, viewport(), qOverload<>(&QWidget::update));
    connect(m_paste, &PasteConversion::finished, this, &BinaryTextEdit::finishPaste);
}

void BinaryTextEdit::finishPaste()
{
    std::string codes = m_paste->takeCodes();
    m_paste->deleteLater();
    m_paste = nullptr;
    replaceRange(m_pasteStart, m_pasteEnd, std::move(codes), EditKind::Other);
    Q_EMIT pasteFinished();
}

void BinaryTextEdit::cancelPaste()
{
    if (m_paste) {
        m_paste->deleteLater();
        m_paste = nullptr;
        viewport()->update();
        Q_EMIT pasteFinished();
    }
}

// --- caret and selection ----------------------------------------------------

BinaryTextEdit::CaretState BinaryTextEdit::caretState() const
{
    return {m_caret, m_anchor, m_history.canUndo(), m_history.canRedo()};
}

void BinaryTextEdit::announce(const CaretState &before)
{
    const bool hadSelection = before.caret != before.anchor;
    const bool selectionMoved = std::min(before.caret, before.anchor) != selectionStart() ||
                                std::max(before.caret, before.anchor) != selectionEnd();
    if (before.caret != m_caret || before.anchor != m_anchor) {
        updateCaret();
        if (hadSelection || hasSelection()) {
            viewport()->update();
        }
    }
    if (before.caret != m_caret) {
        Q_EMIT cursorPositionChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent event(this,
                                             int(m_caret - m_layout.lineBreaksBefore(m_caret)));
            QAccessible::updateAccessibility(&event);
        }
    }
    if (selectionMoved && (hadSelection || hasSelection())) {
        Q_EMIT selectionChanged();
    }
    if (hadSelection != hasSelection()) {
        Q_EMIT copyAvailable(hasSelection());
    }
    if (before.canUndo != m_history.canUndo()) {
        Q_EMIT undoAvailable(m_history.canUndo());
    }
    if (before.canRedo != m_history.canRedo()) {
        Q_EMIT redoAvailable(m_history.canRedo());
    }
}

void BinaryTextEdit::moveCaret(qsizetype position, bool keepAnchor)
{
    const CaretState before = caretState();
    m_caret = position;
    if (!keepAnchor) {
        m_anchor = position;
    }
    m_history.breakMerging();
    ensureCaretVisible();
    restartBlinking();
    announce(before);
}

qsizetype BinaryTextEdit::nextCharacter(qsizetype from) const
{
    const auto size = qsizetype(m_text.size());
    if (from >= size) {
        return size;
    }
    return fieldcodes::insideLineBreak(m_text, from + 1) ? from + 2 : from + 1;
}

qsizetype BinaryTextEdit::previousCharacter(qsizetype from) const
{
    if (from <= 0) {
        return 0;
    }
    return fieldcodes::insideLineBreak(m_text, from - 1) ? from - 2 : from - 1;
}

bool BinaryTextEdit::isWordCode(qsizetype offset) const
{
    const QChar shown = fieldcodes::displayCharacter(static_cast<unsigned char>(m_text[offset]));
    return shown.isLetterOrNumber() || shown == QLatin1Char('_');
}

qsizetype BinaryTextEdit::pageLines() const
{
    return std::max(1, verticalScrollBar()->pageStep());
}

qsizetype BinaryTextEdit::moved(qsizetype from, Move move) const
{
    const auto size = qsizetype(m_text.size());
    const qsizetype line = m_layout.lineOf(from);
    const auto lineMoved = [&](qsizetype lines) {
        const qsizetype target = std::clamp<qsizetype>(line + lines, 0, m_layout.lineCount() - 1);
        if (target == line) {
            return lines < 0 ? qsizetype(0) : size;
        }
        const qreal x = m_preferredX >= 0 ? m_preferredX : m_layout.x(line, from);
        return m_layout.offsetAt(target, x);
    };
    switch (move) {
    case Move::PreviousChar:
        return previousCharacter(from);
    case Move::NextChar:
        return nextCharacter(from);
    case Move::PreviousWord: {
        qsizetype i = from;
        while (i > 0 && !isWordCode(i - 1)) {
            --i;
        }
        while (i > 0 && isWordCode(i - 1)) {
            --i;
        }
        return fieldcodes::insideLineBreak(m_text, i) ? i - 1 : i;
    }
    case Move::NextWord: {
        qsizetype i = from;
        while (i < size && isWordCode(i)) {
            ++i;
        }
        while (i < size && !isWordCode(i)) {
            ++i;
        }
        return fieldcodes::insideLineBreak(m_text, i) ? i + 1 : i;
    }
    case Move::PreviousLine:
        return lineMoved(-1);
    case Move::NextLine:
        return lineMoved(1);
    case Move::StartOfLine:
        return m_layout.line(line).start;
    case Move::EndOfLine: {
        const CodeLineLayout::Line found = m_layout.line(line);
        // A wrapped line's end is the next one's start: stop before it.
        return found.endsParagraph ? found.end : std::max(found.start, found.end - 1);
    }
    case Move::StartOfDocument:
        return 0;
    case Move::EndOfDocument:
        return size;
    case Move::PreviousPage:
        return lineMoved(-pageLines());
    case Move::NextPage:
        return lineMoved(pageLines());
    }
    return from;
}

void BinaryTextEdit::selectWordAt(qsizetype offset)
{
    const auto size = qsizetype(m_text.size());
    if (offset >= size) {
        setCursorPosition(size);
        return;
    }
    if (!isWordCode(offset)) {
        setSelection(offset, nextCharacter(offset));
        return;
    }
    qsizetype start = offset;
    qsizetype end = offset;
    while (start > 0 && isWordCode(start - 1)) {
        --start;
    }
    while (end < size && isWordCode(end)) {
        ++end;
    }
    setSelection(start, end);
}

// --- keys -------------------------------------------------------------------

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
        return caretRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        // Both relative to the caret's line, the surrounding text.
        const qsizetype lineStart = m_layout.line(m_layout.lineOf(m_caret)).start;
        const qsizetype offset = query == Qt::ImCursorPosition ? m_caret : m_anchor;
        return int(std::clamp<qsizetype>(offset - lineStart, 0, m_caret - lineStart));
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

// --- focus, blinking, timers ------------------------------------------------

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
    updateCaret();
}

void BinaryTextEdit::updateCaret()
{
    // Only the caret's rectangle: an idle field with a blinking caret paints
    // next to nothing, however long its text.
    viewport()->update(caretRect().adjusted(-2, 0, 2, 0));
}

void BinaryTextEdit::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blinkTimer.timerId()) {
        m_caretShown = !m_caretShown;
        updateCaret();
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

// --- layout, view and painting ----------------------------------------------

void BinaryTextEdit::updateMetrics()
{
    // No kerning and no shaping: each code then takes its own advance
    // wherever it stands, which is what the line layout assumes.
    m_drawFont = font();
    m_drawFont.setKerning(false);
    m_drawFont.setStyleStrategy(
        QFont::StyleStrategy(m_drawFont.styleStrategy() | QFont::PreferNoShaping));
    const QFontMetricsF metrics(m_drawFont);
    std::array<qreal, 256> advances{};
    for (int code = 0; code < 256; ++code) {
        advances[std::size_t(code)] =
            std::max<qreal>(1, metrics.horizontalAdvance(
                                   fieldcodes::displayCharacter(static_cast<unsigned char>(code))));
    }
    m_lineHeight = std::max(1, qCeil(metrics.lineSpacing()));
    m_ascent = qCeil(metrics.ascent());
    m_layout.setAdvances(advances);
    updateLayoutWidth();
}

void BinaryTextEdit::updateLayoutWidth()
{
    const qsizetype topOffset = m_layout.line(firstVisibleLine()).start;
    m_layout.setWidth(std::max(1, viewport()->width() - 2 * kMargin));
    updateScrollBar();
    verticalScrollBar()->setValue(int(m_layout.lineOf(topOffset)));
    viewport()->update();
}

void BinaryTextEdit::updateScrollBar()
{
    const int fullLines = std::max(1, (viewport()->height() - kMargin) / m_lineHeight);
    QScrollBar *bar = verticalScrollBar();
    bar->setPageStep(fullLines);
    bar->setRange(0, int(std::max<qsizetype>(0, m_layout.lineCount() - fullLines)));
}

qsizetype BinaryTextEdit::firstVisibleLine() const
{
    return std::min<qsizetype>(verticalScrollBar()->value(), m_layout.lineCount() - 1);
}

void BinaryTextEdit::ensureCaretVisible()
{
    const qsizetype line = m_layout.lineOf(m_caret);
    QScrollBar *bar = verticalScrollBar();
    if (line < bar->value()) {
        bar->setValue(int(line));
    } else if (line >= bar->value() + bar->pageStep()) {
        bar->setValue(int(line - bar->pageStep() + 1));
    }
}

int BinaryTextEdit::lineTop(qsizetype lineIndex) const
{
    return kMargin + int(lineIndex - firstVisibleLine()) * m_lineHeight;
}

QRect BinaryTextEdit::caretRect() const
{
    const qsizetype line = m_layout.lineOf(m_caret);
    const int x = kMargin + qRound(m_layout.x(line, m_caret));
    return {x, lineTop(line), 1, m_lineHeight};
}

QRect BinaryTextEdit::characterRect(qsizetype offset) const
{
    const qsizetype line = m_layout.lineOf(offset);
    const qreal left = m_layout.x(line, offset);
    const qreal width =
        offset < qsizetype(m_text.size()) && offset < m_layout.line(line).end
            ? m_layout.advance(static_cast<unsigned char>(m_text[std::size_t(offset)]))
            : 0;
    return QRectF(kMargin + left, lineTop(line), width, m_lineHeight).toAlignedRect();
}

qsizetype BinaryTextEdit::offsetAt(const QPoint &point) const
{
    const qsizetype line = std::clamp<qsizetype>(
        firstVisibleLine() + (point.y() - kMargin) / m_lineHeight - (point.y() < kMargin ? 1 : 0),
        0, m_layout.lineCount() - 1);
    return m_layout.offsetAt(line, point.x() - kMargin);
}

void BinaryTextEdit::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateLayoutWidth();
}

void BinaryTextEdit::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateMetrics();
    } else if (event->type() == QEvent::EnabledChange) {
        restartBlinking();
    }
}

void BinaryTextEdit::scrollContentsBy(int, int)
{
    viewport()->update();
}

void BinaryTextEdit::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setFont(m_drawFont);
    const QRect dirty = event->rect();
    const qsizetype top = firstVisibleLine();
    const qsizetype first = top + std::max(0, (dirty.top() - kMargin) / m_lineHeight);
    const qsizetype last = std::min<qsizetype>(
        top + std::max(0, (dirty.bottom() - kMargin) / m_lineHeight), m_layout.lineCount() - 1);
    for (qsizetype line = first; line <= last; ++line) {
        paintLine(painter, line);
    }
    if (m_caretShown || m_dropCaret >= 0) {
        const qsizetype shownAt = m_dropCaret >= 0 ? m_dropCaret : m_caret;
        const qsizetype line = m_layout.lineOf(shownAt);
        const int x = kMargin + qRound(m_layout.x(line, shownAt));
        painter.fillRect(QRect(x, lineTop(line), 1, m_lineHeight), palette().color(QPalette::Text));
    }
    if (m_paste) {
        paintPasteProgress(painter);
    }
}

void BinaryTextEdit::paintLine(QPainter &painter, qsizetype lineIndex) const
{
    const CodeLineLayout::Line line = m_layout.line(lineIndex);
    QString shown(line.end - line.start, Qt::Uninitialized);
    for (qsizetype i = line.start; i < line.end; ++i) {
        shown[i - line.start] =
            fieldcodes::displayCharacter(static_cast<unsigned char>(m_text[std::size_t(i)]));
    }
    const int top = lineTop(lineIndex);
    const QPointF baseline(kMargin, top + m_ascent);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(baseline, shown);

    const qsizetype from = std::max(selectionStart(), line.start);
    const qsizetype to = std::min(selectionEnd(), line.end);
    if (from >= to) {
        return;
    }
    const qreal left = kMargin + m_layout.x(lineIndex, from);
    const qreal right = kMargin + m_layout.x(lineIndex, to);
    const QRectF selected(left, top, right - left, m_lineHeight);
    painter.fillRect(selected, palette().color(QPalette::Highlight));
    painter.save();
    painter.setClipRect(selected);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(baseline, shown);
    painter.restore();
}

void BinaryTextEdit::paintPasteProgress(QPainter &painter) const
{
    const qreal done = m_paste->progress();
    const int width = viewport()->width();
    painter.fillRect(QRect(0, 0, qRound(width * done), kProgressBarHeight),
                     palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(0, kProgressBarHeight, width - kMargin, m_lineHeight),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1 %").arg(qRound(done * 100)));
}

// --- mouse, drag and drop ---------------------------------------------------

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
        clipboard->setText(fieldcodes::plainText(selectedCodeText()), QClipboard::Selection);
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
    const Qt::DropAction done = drag->exec(actions, Qt::MoveAction);
    if (done == Qt::MoveAction && !m_movedWithinField && !m_readOnly) {
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
    qsizetype at = offsetAt(event->position().toPoint());
    const bool fromHere = event->source() == this && m_dragSourceStart >= 0;
    if (fromHere && at >= m_dragSourceStart && at <= m_dragSourceEnd) {
        event->ignore(); // dropped onto itself
        return;
    }
    event->acceptProposedAction();
    if (fromHere && event->dropAction() == Qt::MoveAction) {
        // A move within the field: take the text out first, one undo step.
        replaceRange(m_dragSourceStart, m_dragSourceEnd, {}, EditKind::Other);
        if (at > m_dragSourceEnd) {
            at -= m_dragSourceEnd - m_dragSourceStart;
        }
        m_movedWithinField = true;
        setCursorPosition(at);
        const std::string moved = fieldcodes::codesFromText(event->mimeData()->text());
        replaceRange(at, at, moved, EditKind::Other, true);
        setSelection(at, at + qsizetype(moved.size()));
        return;
    }
    setCursorPosition(at);
    insertFromMimeData(event->mimeData());
}

// --- context menu -----------------------------------------------------------

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
