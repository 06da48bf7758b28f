// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"

#include "binary_text_accessible.h"
#include "code_clipboard.h"
#include "field_codes.h"
#include "paste_conversion.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>

// The text and its edits, the caret and the selection. Input is in
// binary_text_edit_input.cpp, layout and painting in binary_text_edit_view.cpp.
namespace vantrel {
namespace {

// Pastes longer than this are converted in slices, the window repainting.
constexpr qsizetype kSlicedPasteLength = 4'000'000;

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

BinaryTextEdit::~BinaryTextEdit()
{
    // A paste still being converted ends with the field.
    if (m_paste) {
        m_paste->cancel();
    }
}

void BinaryTextEdit::setCodeText(std::string codes)
{
    cancelPaste();
    const CaretState before = caretState();
    const qsizetype oldCharacters = plainLength();
    if (codes != m_text) {
        ++m_revision;
    }
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
    const CaretState before = caretState();
    m_anchor = legalOffset(anchor);
    m_caret = legalOffset(position);
    m_preferredX = -1;
    ensureCaretVisible();
    announce(before);
}

qsizetype BinaryTextEdit::legalOffset(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, qsizetype(m_text.size()));
    return fieldcodes::insideLineBreak(m_text, offset) ? offset - 1 : offset;
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

bool BinaryTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || source->hasFormat(QLatin1String(codeclipboard::kCodesMimeType));
}

QMimeData *BinaryTextEdit::createMimeDataFromSelection() const
{
    return codeclipboard::mimeDataOf(std::string_view(m_text).substr(
        std::size_t(selectionStart()), std::size_t(selectionEnd() - selectionStart())));
}

void BinaryTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !canInsertFromMimeData(source)) {
        Q_EMIT pasteFinished();
        return;
    }
    if (std::optional<std::string> codes = codeclipboard::codesOf(*source)) {
        insertTyped(std::move(*codes), EditKind::Other);
        Q_EMIT pasteFinished();
        return;
    }
    QString text = source->text();
    if (text.size() > kSlicedPasteLength) {
        pasteInSlices(std::move(text));
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

void BinaryTextEdit::replaceRange(qsizetype start, qsizetype end, std::string codes, EditKind kind)
{
    if (start == end && codes.empty()) {
        return; // nothing to do, nothing to tell
    }
    const CaretState before = caretState();
    const qsizetype caret = start + qsizetype(codes.size());
    recordExchange(start, end, std::move(codes), kind, false);
    m_caret = m_anchor = caret;
    finishEdit(before);
}

void BinaryTextEdit::moveRange(qsizetype start, qsizetype end, qsizetype to)
{
    const CaretState before = caretState();
    std::string moved = m_text.substr(std::size_t(start), std::size_t(end - start));
    const auto length = qsizetype(moved.size());
    recordExchange(start, end, {}, EditKind::Other, false);
    if (to > end) {
        to -= length;
    }
    // One undo step, one change.
    recordExchange(to, to, std::move(moved), EditKind::Other, true);
    m_anchor = to;
    m_caret = to + length;
    finishEdit(before);
}

void BinaryTextEdit::recordExchange(qsizetype start, qsizetype end, std::string codes,
                                    EditKind kind, bool joinsPrevious)
{
    Edit edit;
    edit.position = start;
    edit.presentLength = qsizetype(codes.size());
    edit.kind = kind;
    edit.joinsPrevious = joinsPrevious;
    edit.away = exchange(start, end, std::move(codes));
    m_history.record(std::move(edit));
}

void BinaryTextEdit::finishEdit(const CaretState &before)
{
    // Removing what stood between a lone CR and a lone LF makes them a line
    // break, which the caret may not split.
    m_caret = legalOffset(m_caret);
    m_anchor = legalOffset(m_anchor);
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
    if (m_text.compare(std::size_t(start), std::size_t(end - start), codes) != 0) {
        ++m_revision;
    }
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
    if (changed) {
        finishEdit(before);
    }
}

void BinaryTextEdit::pasteInSlices(QString text)
{
    const qsizetype start = selectionStart();
    const qsizetype end = selectionEnd();
    PasteConversion conversion(std::move(text));
    connect(&conversion, &PasteConversion::progressed, viewport(), qOverload<>(&QWidget::update));
    m_paste = &conversion;
    viewport()->update();
    const QPointer<BinaryTextEdit> alive(this);
    std::optional<std::string> codes = conversion.run();
    if (!alive) {
        return; // the field went while the paste was converted
    }
    m_paste = nullptr;
    viewport()->update();
    if (codes) {
        replaceRange(start, end, std::move(*codes), EditKind::Other);
    }
    Q_EMIT pasteFinished();
}

void BinaryTextEdit::cancelPaste()
{
    if (m_paste) {
        m_paste->cancel();
    }
}

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
        updateCaretAt(before.caret);
        updateCaretAt(m_caret);
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
    return fieldcodes::isWordCode(static_cast<unsigned char>(m_text[std::size_t(offset)]));
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

} // namespace vantrel
