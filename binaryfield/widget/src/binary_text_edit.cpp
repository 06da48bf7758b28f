// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"

#include "binary_text_accessible.h"
#include "binary_text_drops.h"
#include "binary_text_keys.h"
#include "binary_text_model.h"
#include "binary_text_mouse.h"
#include "code_clipboard.h"
#include "field_codes.h"
#include "held_input.h"
#include "house_colours.h"
#include "palette_use.h"
#include "paste_conversion.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>

// The edits the widget makes through its model, the caret and the selection,
// the clipboard. Input is in binary_text_edit_input.cpp, layout and painting
// in binary_text_edit_view.cpp.
namespace vantrel {
namespace {

// Pastes longer than this are converted in slices, the window repainting.
constexpr qsizetype kSlicedPasteLength = 4'000'000;

// Screen readers learn of the binary fields once, as the application starts.
void installAccessibility()
{
    accessibility::installBinaryTextEditFactory();
}
Q_COREAPP_STARTUP_FUNCTION(installAccessibility)

} // namespace

BinaryTextEdit::BinaryTextEdit(QWidget *parent)
    : QAbstractScrollArea(parent), m_model(std::make_unique<BinaryTextModel>()),
      m_keys(std::make_unique<BinaryTextKeys>(*this)), m_mouse(new BinaryTextMouse(*this)),
      m_drops(std::make_unique<BinaryTextDrops>(*this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    m_model->setExchangeListener([this](const TextExchange &exchange) {
        m_mouse->follow(exchange);
        notifyScreenReaders(exchange);
    });
    updateMetrics();
}

// A paste still being converted, a child, ends with the field.
BinaryTextEdit::~BinaryTextEdit() = default;

qsizetype BinaryTextEdit::codeCount() const
{
    return m_model->size();
}

std::string BinaryTextEdit::codeText(qsizetype start, qsizetype end) const
{
    return m_model->codes(start, end);
}

std::string BinaryTextEdit::codeText() const
{
    return m_model->codes();
}

std::pair<qsizetype, qsizetype> BinaryTextEdit::wordAt(qsizetype offset, qsizetype reach) const
{
    return m_model->wordAt(offset, reach);
}

qsizetype BinaryTextEdit::cursorPosition() const
{
    return m_model->caret();
}

bool BinaryTextEdit::hasSelection() const
{
    return m_model->hasSelection();
}

qsizetype BinaryTextEdit::selectionStart() const
{
    return m_model->selectionStart();
}

qsizetype BinaryTextEdit::selectionEnd() const
{
    return m_model->selectionEnd();
}

qsizetype BinaryTextEdit::plainLength() const
{
    return m_model->plainLength();
}

quint64 BinaryTextEdit::revision() const
{
    return m_model->revision();
}

qsizetype BinaryTextEdit::nonBinaryCodes() const
{
    return m_model->nonBinaryCodes();
}

bool BinaryTextEdit::isUndoAvailable() const
{
    return m_model->canUndo();
}

bool BinaryTextEdit::isRedoAvailable() const
{
    return m_model->canRedo();
}

void BinaryTextEdit::setCodeText(std::string codes)
{
    cancelPaste();
    const CaretState before = caretState();
    if (!m_model->reset(std::move(codes))) {
        refuseText();
        return;
    }
    m_preferredX = -1;
    updateScrollBar();
    ensureCaretVisible();
    viewport()->update();
    Q_EMIT textChanged();
    announce(before);
}

QString BinaryTextEdit::toPlainText() const
{
    return fieldcodes::plainText(m_model->codes());
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
    select(anchor, position);
}

void BinaryTextEdit::moveCursorToEnd()
{
    setCursorPosition(m_model->size());
}

void BinaryTextEdit::onTextChanged(QObject *context, std::function<void()> changed)
{
    QObject::connect(this, &BinaryTextEdit::textChanged, context,
                     [changed = std::move(changed)] { changed(); });
}

bool BinaryTextEdit::canPaste() const
{
    const QMimeData *source = QGuiApplication::clipboard()->mimeData();
    return source && canInsertFromMimeData(source);
}

// Asked for by assistive technologies: after any input that waits.
void BinaryTextEdit::replaceAsUser(qsizetype start, qsizetype end, const QString &text)
{
    HeldInput::runInOrder([field = QPointer<BinaryTextEdit>(this), start, end, text] {
        if (field) {
            field->edit([&] {
                return field->m_model->replace(start, end, fieldcodes::codesFromText(text));
            });
        }
    });
}

void BinaryTextEdit::paste()
{
    if (deferredWhilePasting(&BinaryTextEdit::paste)) {
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
    if (deferredWhilePasting(&BinaryTextEdit::cut)) {
        return;
    }
    if (hasSelection()) {
        copy();
        deleteSelection();
    }
}

void BinaryTextEdit::undo()
{
    if (!deferredWhilePasting(&BinaryTextEdit::undo)) {
        edit([this] { return m_model->undo(); });
    }
}

void BinaryTextEdit::redo()
{
    if (!deferredWhilePasting(&BinaryTextEdit::redo)) {
        edit([this] { return m_model->redo(); });
    }
}

// An edit asked for while a paste is converted comes after the paste, as
// the user's input does.
bool BinaryTextEdit::deferredWhilePasting(void (BinaryTextEdit::*slot)())
{
    if (!m_paste) {
        return false;
    }
    HeldInput::runInOrder([field = QPointer<BinaryTextEdit>(this), slot] {
        if (field) {
            (field->*slot)();
        }
    });
    return true;
}

// Selects everything without scrolling, as Qt's editors do.
void BinaryTextEdit::selectAll()
{
    const CaretState before = caretState();
    m_model->select(0, m_model->size());
    m_preferredX = -1;
    announce(before);
    offerSelection();
}

void BinaryTextEdit::clear()
{
    setCodeText({});
}

// Runs one change of the model as a user's edit, then shows it and tells
// of it: one textChanged() when the codes changed.
void BinaryTextEdit::edit(const std::function<bool()> &change)
{
    const CaretState before = caretState();
    (void)change();
    if (m_model->revision() == before.revision && m_model->caret() == before.caret &&
        m_model->anchor() == before.anchor) {
        ensureCaretVisible(); // an editing key brings the caret back, even one that did nothing
        return;
    }
    m_preferredX = -1;
    updateScrollBar();
    ensureCaretVisible();
    restartBlinking();
    viewport()->update();
    if (m_model->revision() != before.revision) {
        Q_EMIT textChanged();
    }
    announce(before);
}

void BinaryTextEdit::replaceSelection(std::string codes, EditKind kind)
{
    bool fits = true;
    edit([&] {
        fits = m_model->replace(selectionStart(), selectionEnd(), std::move(codes), kind);
        return fits;
    });
    if (!fits) {
        refuseText();
    }
}

void BinaryTextEdit::deleteSelection()
{
    replaceSelection({}, EditKind::Other);
}

// Too long a text would pass what positions can count: it is refused, and
// the field says so with the invalid colour.
void BinaryTextEdit::refuseText()
{
    palette::setBackground(this, colours::kInvalid);
}

bool BinaryTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || source->hasFormat(QLatin1String(codeclipboard::kCodesMimeType));
}

QMimeData *BinaryTextEdit::createMimeDataFromSelection() const
{
    return codeclipboard::mimeDataOf(m_model->selectedCodes());
}

void BinaryTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !canInsertFromMimeData(source)) {
        Q_EMIT pasteFinished();
        return;
    }
    const QString ownFormat = QLatin1String(codeclipboard::kCodesMimeType);
    if (source->hasFormat(ownFormat)) {
        QByteArray codes = source->data(ownFormat);
        if (codes.size() > kSlicedPasteLength) {
            startSlicedPaste(new PasteConversion(std::move(codes), this));
            return;
        }
        insertPasted(std::string(codes.constData(), std::size_t(codes.size())));
        return;
    }
    QString text = source->text();
    if (text.size() > kSlicedPasteLength) {
        startSlicedPaste(new PasteConversion(std::move(text), this));
        return;
    }
    insertPasted(fieldcodes::codesFromText(text));
}

// As in Qt's editors, nothing to put in leaves the selection alone.
void BinaryTextEdit::insertPasted(std::string codes)
{
    if (!codes.empty()) {
        replaceSelection(std::move(codes), EditKind::Pasting);
    }
    Q_EMIT pasteFinished();
}

// The conversion runs from the event loop; the selection it replaces is
// kept as it is meanwhile, since all input waits for it.
void BinaryTextEdit::startSlicedPaste(PasteConversion *conversion)
{
    m_paste = conversion;
    connect(conversion, &PasteConversion::progressed, viewport(), qOverload<>(&QWidget::update));
    connect(conversion, &PasteConversion::finished, this, &BinaryTextEdit::finishSlicedPaste);
    viewport()->update();
}

void BinaryTextEdit::finishSlicedPaste()
{
    PasteConversion *done = std::exchange(m_paste, nullptr);
    std::string codes = done->takeCodes();
    done->deleteLater(); // it is still emitting
    viewport()->update();
    insertPasted(std::move(codes));
}

// A program write replaces the text the paste was for.
void BinaryTextEdit::cancelPaste()
{
    delete std::exchange(m_paste, nullptr);
}

void BinaryTextEdit::notifyScreenReaders(const TextExchange &exchange)
{
    if (!QAccessible::isActive() ||
        (exchange.removedCharacters == 0 && exchange.insertedLength == 0)) {
        return;
    }
    const QString inserted = fieldcodes::plainText(
        m_model->codes(exchange.start, exchange.start + exchange.insertedLength));
    // As Qt's editors do, the removed text is told by its length alone.
    const QString removed(exchange.removedCharacters, QLatin1Char(' '));
    const int position = int(exchange.plainStart);
    if (exchange.removedCharacters == 0) {
        QAccessibleTextInsertEvent event(this, position, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (exchange.insertedLength == 0) {
        QAccessibleTextRemoveEvent event(this, position, removed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, position, removed, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

BinaryTextEdit::CaretState BinaryTextEdit::caretState() const
{
    return {m_model->caret(), m_model->anchor(), m_model->revision()};
}

void BinaryTextEdit::announce(const CaretState &before)
{
    const qsizetype caret = m_model->caret();
    if (before.caret != caret) {
        m_pageCaretY.reset();
    }
    if (before.caret == caret && before.anchor == m_model->anchor()) {
        return;
    }
    updateCaretAt(before.caret);
    updateCaretAt(caret);
    if (before.caret != before.anchor || hasSelection()) {
        viewport()->update();
    }
    if (!QAccessible::isActive()) {
        return;
    }
    // As Qt's editors tell screen readers: the selection when it changed,
    // then where the caret went. Offsets count a line break as one.
    const auto plain = [this](qsizetype code) {
        return int(code - m_model->layout().lineBreaksBefore(code));
    };
    if (before.caret != before.anchor || hasSelection()) {
        QAccessibleTextSelectionEvent selection(this, plain(selectionStart()),
                                                plain(selectionEnd()));
        selection.setCursorPosition(plain(caret));
        QAccessible::updateAccessibility(&selection);
    }
    if (before.caret != caret) {
        QAccessibleTextCursorEvent event(this, plain(caret));
        QAccessible::updateAccessibility(&event);
    }
}

void BinaryTextEdit::select(qsizetype anchor, qsizetype caret, bool scroll)
{
    const CaretState before = caretState();
    m_model->select(anchor, caret);
    m_preferredX = -1;
    if (scroll) {
        ensureCaretVisible();
    }
    announce(before);
}

void BinaryTextEdit::moveCaret(qsizetype position, bool keepAnchor, bool scroll)
{
    const CaretState before = caretState();
    m_model->moveCaret(position, keepAnchor);
    m_preferredX = -1;
    if (scroll) {
        ensureCaretVisible();
    }
    restartBlinking();
    announce(before);
}

qreal BinaryTextEdit::caretColumn() const
{
    const CodeLineLayout &layout = m_model->layout();
    const qsizetype caret = m_model->caret();
    return m_preferredX >= 0 ? m_preferredX : layout.x(layout.lineOf(caret), caret);
}

// A selection the user makes, with the mouse or the keyboard, becomes the
// X11 primary selection, as in every other text field there.
void BinaryTextEdit::offerSelection()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection()) {
        clipboard->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
    }
}

} // namespace vantrel
