// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"

#include "binary_text_accessible.h"
#include "binary_text_mouse.h"
#include "code_clipboard.h"
#include "field_codes.h"
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
    : QAbstractScrollArea(parent), m_mouse(new BinaryTextMouse(*this))
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
    m_model.setExchangeListener([this](const TextExchange &exchange) {
        m_mouse->follow(exchange);
        notifyScreenReaders(exchange);
    });
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
    if (!m_model.reset(std::move(codes))) {
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
    return fieldcodes::plainText(m_model.codes());
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
    setCursorPosition(m_model.size());
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

void BinaryTextEdit::replaceAsUser(qsizetype start, qsizetype end, const QString &text)
{
    if (acceptsInput()) {
        edit([&] { return m_model.replace(start, end, fieldcodes::codesFromText(text)); });
    }
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
    if (acceptsInput()) {
        edit([this] { return m_model.undo(); });
    }
}

void BinaryTextEdit::redo()
{
    if (acceptsInput()) {
        edit([this] { return m_model.redo(); });
    }
}

// Selects everything without scrolling, as Qt's editors do.
void BinaryTextEdit::selectAll()
{
    const CaretState before = caretState();
    m_model.select(0, m_model.size());
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
    if (m_model.revision() == before.revision && m_model.caret() == before.caret &&
        m_model.anchor() == before.anchor) {
        ensureCaretVisible(); // an editing key brings the caret back, even one that did nothing
        return;
    }
    m_preferredX = -1;
    updateScrollBar();
    ensureCaretVisible();
    restartBlinking();
    viewport()->update();
    if (m_model.revision() != before.revision) {
        Q_EMIT textChanged();
    }
    announce(before);
}

void BinaryTextEdit::replaceSelection(std::string codes, EditKind kind)
{
    bool fits = true;
    edit([&] {
        fits = m_model.replace(selectionStart(), selectionEnd(), std::move(codes), kind);
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
    return codeclipboard::mimeDataOf(m_model.selectedCodes());
}

void BinaryTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !canInsertFromMimeData(source)) {
        Q_EMIT pasteFinished();
        return;
    }
    // As in Qt's editors, nothing to put in leaves the selection alone.
    if (std::optional<std::string> codes = codeclipboard::codesOf(*source)) {
        if (!codes->empty()) {
            replaceSelection(std::move(*codes), EditKind::Pasting);
        }
        Q_EMIT pasteFinished();
        return;
    }
    QString text = source->text();
    if (text.size() > kSlicedPasteLength) {
        pasteInSlices(std::move(text));
        return;
    }
    if (!text.isEmpty()) {
        replaceSelection(fieldcodes::codesFromText(text), EditKind::Pasting);
    }
    Q_EMIT pasteFinished();
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
        bool fits = true;
        edit([&] {
            fits = m_model.replace(start, end, std::move(*codes));
            return fits;
        });
        if (!fits) {
            refuseText();
        }
    }
    Q_EMIT pasteFinished();
}

void BinaryTextEdit::cancelPaste()
{
    if (m_paste) {
        m_paste->cancel();
    }
}

void BinaryTextEdit::notifyScreenReaders(const TextExchange &exchange)
{
    if (!QAccessible::isActive() ||
        (exchange.removedCharacters == 0 && exchange.insertedLength == 0)) {
        return;
    }
    const QString inserted = fieldcodes::plainText(
        m_model.codes(exchange.start, exchange.start + exchange.insertedLength));
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
    return {m_model.caret(), m_model.anchor(), m_model.revision()};
}

void BinaryTextEdit::announce(const CaretState &before)
{
    const qsizetype caret = m_model.caret();
    if (before.caret != caret) {
        m_pageCaretY.reset();
    }
    if (before.caret == caret && before.anchor == m_model.anchor()) {
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
        return int(code - lineLayout().lineBreaksBefore(code));
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
    m_model.select(anchor, caret);
    m_preferredX = -1;
    if (scroll) {
        ensureCaretVisible();
    }
    announce(before);
}

void BinaryTextEdit::moveCaret(qsizetype position, bool keepAnchor, bool scroll)
{
    const CaretState before = caretState();
    m_model.moveCaret(position, keepAnchor);
    m_preferredX = -1;
    if (scroll) {
        ensureCaretVisible();
    }
    restartBlinking();
    announce(before);
}

qreal BinaryTextEdit::caretColumn() const
{
    const CodeLineLayout &layout = m_model.layout();
    const qsizetype caret = m_model.caret();
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
