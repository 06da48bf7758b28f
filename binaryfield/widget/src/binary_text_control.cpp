// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_control.h"

#include "code_clipboard.h"
#include "field_codes.h"
#include "held_input.h"
#include "paste_conversion.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace vantrel {
namespace {

// Pastes longer than this are converted in slices, the window repainting.
constexpr qsizetype kSlicedPasteLength = 4'000'000;

} // namespace

BinaryTextControl::BinaryTextControl(QWidget &field)
    : QObject(&field), m_field(field), m_model(std::make_unique<BinaryTextModel>())
{
    m_model->setExchangeListener([this](const TextExchange &exchange) {
        m_view->textExchanged(exchange);
        Q_EMIT codesExchanged(exchange);
    });
}

// A paste still being converted, a child, ends with the controller.
BinaryTextControl::~BinaryTextControl() = default;

void BinaryTextControl::showDropCaret(qsizetype offset)
{
    m_dropCaret = offset;
    m_view->repaint();
}

std::optional<qreal> BinaryTextControl::pasteProgress() const
{
    return m_paste ? std::optional(m_paste->progress()) : std::nullopt;
}

void BinaryTextControl::setCodeText(std::string codes)
{
    cancelPaste();
    const CaretState before = caretState();
    if (!m_model->reset(std::move(codes))) {
        m_view->showRefused();
        return;
    }
    m_preferredX = -1;
    m_view->relayout();
    m_view->ensureCaretVisible();
    Q_EMIT textChanged();
    announce(before);
}

void BinaryTextControl::paste()
{
    if (deferredWhilePasting(&BinaryTextControl::paste)) {
        return;
    }
    if (const QMimeData *source = QGuiApplication::clipboard()->mimeData()) {
        insertFromMimeData(source);
    }
}

void BinaryTextControl::copy()
{
    if (m_model->hasSelection()) {
        QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
    }
}

void BinaryTextControl::cut()
{
    if (deferredWhilePasting(&BinaryTextControl::cut)) {
        return;
    }
    if (m_model->hasSelection()) {
        copy();
        deleteSelection();
    }
}

void BinaryTextControl::undo()
{
    if (!deferredWhilePasting(&BinaryTextControl::undo)) {
        edit([](BinaryTextModel &model) { return model.undo(); });
    }
}

void BinaryTextControl::redo()
{
    if (!deferredWhilePasting(&BinaryTextControl::redo)) {
        edit([](BinaryTextModel &model) { return model.redo(); });
    }
}

// An edit asked for while a paste is converted comes after the paste, as
// the user's input does.
bool BinaryTextControl::deferredWhilePasting(void (BinaryTextControl::*slot)())
{
    if (!m_paste) {
        return false;
    }
    HeldInput::runInOrder([control = QPointer<BinaryTextControl>(this), slot] {
        if (control) {
            (control->*slot)();
        }
    });
    return true;
}

// Selects everything without scrolling, as Qt's editors do.
void BinaryTextControl::selectAll()
{
    select(0, m_model->size(), false);
    offerSelection();
}

void BinaryTextControl::edit(const std::function<bool(BinaryTextModel &)> &change)
{
    const CaretState before = caretState();
    (void)change(*m_model);
    if (m_model->revision() == before.revision && m_model->caret() == before.caret &&
        m_model->anchor() == before.anchor) {
        m_view->ensureCaretVisible(); // an editing key brings the caret back, even one that did
                                      // nothing
        return;
    }
    m_preferredX = -1;
    m_view->relayout();
    m_view->ensureCaretVisible();
    m_view->restartBlinking();
    if (m_model->revision() != before.revision) {
        Q_EMIT textChanged();
    }
    announce(before);
}

void BinaryTextControl::replace(qsizetype start, qsizetype end, std::string codes, EditKind kind)
{
    bool fits = true;
    edit([&](BinaryTextModel &model) {
        fits = model.replace(start, end, std::move(codes), kind);
        return fits;
    });
    // Too long a text would pass what positions can count.
    if (!fits) {
        m_view->showRefused();
    }
}

void BinaryTextControl::replaceSelection(std::string codes, EditKind kind)
{
    replace(m_model->selectionStart(), m_model->selectionEnd(), std::move(codes), kind);
}

void BinaryTextControl::deleteSelection()
{
    replaceSelection({}, EditKind::Other);
}

void BinaryTextControl::removeSelectionOr(BinaryTextModel::Move move, EditKind kind)
{
    removeByKey(
        [move, kind](BinaryTextModel &model) { return model.removeSelectionOr(move, kind); });
}

void BinaryTextControl::removeToParagraphEnd()
{
    removeByKey([](BinaryTextModel &model) { return model.removeToParagraphEnd(); });
}

// QPlainTextEdit forgets where paging began when its text cursor reports a
// move, and a deletion makes it report one only by taking codes that stood
// before it: a word taken to the right does, though the caret stays; one
// taken to the left does not, though the caret goes. It sets the caret's
// column anew after a deleting key, even one that found nothing to delete.
void BinaryTextControl::removeByKey(
    const std::function<BinaryTextModel::Removal(BinaryTextModel &)> &removal)
{
    using Removal = BinaryTextModel::Removal;
    const std::optional<qreal> pageCaretY = m_pageCaretY;
    Removal taken = Removal::Nothing;
    edit([&](BinaryTextModel &model) {
        taken = removal(model);
        return true;
    });
    if (taken != Removal::Nothing) {
        m_pageCaretY = taken == Removal::CursorAtStart ? pageCaretY : std::nullopt;
    }
    m_preferredX = -1;
}

void BinaryTextControl::moveCodes(qsizetype start, qsizetype end, qsizetype to)
{
    edit([&](BinaryTextModel &model) {
        model.move(start, end, to);
        return true;
    });
}

bool BinaryTextControl::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || source->hasFormat(QLatin1String(codeclipboard::kCodesMimeType));
}

QMimeData *BinaryTextControl::createMimeDataFromSelection() const
{
    return codeclipboard::mimeDataOf(m_model->selectedCodes());
}

void BinaryTextControl::insertFromMimeData(const QMimeData *source)
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
void BinaryTextControl::insertPasted(std::string codes)
{
    if (!codes.empty()) {
        replaceSelection(std::move(codes), EditKind::Pasting);
    }
    Q_EMIT pasteFinished();
}

// The conversion runs from the event loop; the selection it replaces is
// kept as it is meanwhile, since all input waits for it.
void BinaryTextControl::startSlicedPaste(PasteConversion *conversion)
{
    m_paste = conversion;
    connect(conversion, &PasteConversion::progressed, this, [this] { m_view->repaint(); });
    connect(conversion, &PasteConversion::finished, this, &BinaryTextControl::finishSlicedPaste);
    m_view->repaint();
}

void BinaryTextControl::finishSlicedPaste()
{
    PasteConversion *done = std::exchange(m_paste, nullptr);
    std::string codes = done->takeCodes();
    done->deleteLater(); // it is still emitting
    m_view->repaint();
    insertPasted(std::move(codes));
}

// A program write replaces the text the paste was for.
void BinaryTextControl::cancelPaste()
{
    delete std::exchange(m_paste, nullptr);
}

BinaryTextControl::CaretState BinaryTextControl::caretState() const
{
    return {m_model->caret(), m_model->anchor(), m_model->revision()};
}

void BinaryTextControl::announce(const CaretState &before)
{
    if (before.caret != m_model->caret()) {
        m_pageCaretY.reset();
    }
    if (before.caret != m_model->caret() || before.anchor != m_model->anchor()) {
        m_view->caretMoved(before);
    }
}

void BinaryTextControl::select(qsizetype anchor, qsizetype caret, bool scroll)
{
    placeCaret([&](BinaryTextModel &model) { model.select(anchor, caret); }, scroll, false);
}

void BinaryTextControl::moveCaret(qsizetype position, bool keepAnchor, bool scroll)
{
    placeCaret([&](BinaryTextModel &model) { model.moveCaret(position, keepAnchor); }, scroll,
               true);
}

// Puts the caret and the anchor where `place` says, and sets the caret's
// column anew; a caret that moved blinks anew, a selection set whole does
// not.
void BinaryTextControl::placeCaret(const std::function<void(BinaryTextModel &)> &place, bool scroll,
                                   bool blink)
{
    const CaretState before = caretState();
    place(*m_model);
    m_preferredX = -1;
    if (scroll) {
        m_view->ensureCaretVisible();
    }
    if (blink) {
        m_view->restartBlinking();
    }
    announce(before);
}

void BinaryTextControl::moveCaretByLines(qsizetype position, bool keepAnchor,
                                         std::optional<qreal> column, bool paging)
{
    const std::optional<qreal> pageCaretY = m_pageCaretY;
    moveCaret(position, keepAnchor);
    if (paging) {
        m_pageCaretY = pageCaretY;
    }
    m_preferredX = column.value_or(-1);
}

qreal BinaryTextControl::caretColumn() const
{
    const CodeLineLayout &layout = m_model->layout();
    const qsizetype caret = m_model->caret();
    return m_preferredX >= 0 ? m_preferredX : layout.x(layout.lineOf(caret), caret);
}

// With the text's end (or start) in view already, the caret goes to the
// last (or first) line.
qsizetype BinaryTextControl::pageMoved(qsizetype caret, int direction, qreal x)
{
    const CodeLineLayout &layout = m_model->layout();
    m_view->ensureCaretVisible();
    if (!m_pageCaretY) {
        m_pageCaretY = m_view->contentTop(layout.lineOf(caret)) - m_view->viewTop();
    }
    const qreal caretY = m_view->scrollPage(direction).value_or(*m_pageCaretY) + m_view->viewTop();
    qsizetype target = caret;
    for (;;) {
        const qsizetype next = m_model->linesMoved(target, direction, x);
        if (next == target && layout.lineOf(next) == layout.lineOf(target)) {
            break;
        }
        target = next;
        const qreal top = m_view->contentTop(layout.lineOf(target));
        if (direction > 0 ? top >= caretY : top <= caretY) {
            break;
        }
    }
    return target;
}

void BinaryTextControl::offerSelection()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (m_model->hasSelection() && clipboard->supportsSelection()) {
        clipboard->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
    }
}

} // namespace vantrel
