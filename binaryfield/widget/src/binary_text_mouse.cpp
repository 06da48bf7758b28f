// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_mouse.h"

#include "binary_text_control.h"
#include "binary_text_drops.h"
#include "qt_editor_rules.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <algorithm>

namespace vantrel {
namespace {

bool near(QPoint a, QPoint b)
{
    return (a - b).manhattanLength() < QApplication::startDragDistance();
}

// Where a selection's ends go through an exchange of codes, as Qt's text
// cursors follow an edit: the codes taken out first, then those put in at
// the same place, which carry an end standing there along unless the
// exchange keeps cursors.
std::pair<qsizetype, qsizetype> followed(std::pair<qsizetype, qsizetype> range,
                                         const TextExchange &exchange)
{
    const qsizetype at = exchange.start;
    const auto takenOut = [&](qsizetype position) {
        if (position <= at) {
            return position;
        }
        return position < at + exchange.removedLength ? at : position - exchange.removedLength;
    };
    auto [anchor, caret] = std::pair{takenOut(range.first), takenOut(range.second)};
    const bool caretStays = caret < at || (caret == at && exchange.keepsCursors);
    const bool anchorMoves = anchor > at || (anchor == at && !exchange.keepsCursors);
    if (!caretStays) {
        caret += exchange.insertedLength;
    }
    if (anchorMoves) {
        anchor += exchange.insertedLength;
    }
    return {anchor, caret};
}

} // namespace

BinaryTextMouse::BinaryTextMouse(BinaryTextControl &control, BinaryTextDrops &drops)
    : QObject(&control), m_control(control), m_drops(drops)
{
    connect(&control, &BinaryTextControl::codesExchanged, this, &BinaryTextMouse::follow);
}

void BinaryTextMouse::press(const QMouseEvent &event)
{
    m_dragCandidate = false;
    if (event.button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event.position().toPoint();
    m_selecting = true;
    m_lastPoint = m_pressPoint = point;
    if (m_tripleClickTimer.isActive() && near(point, m_doubleClickPoint)) {
        m_tripleClickTimer.stop();
        selectParagraphAtCaret();
        return;
    }
    const qsizetype offset = m_control.view().offsetAt(point);
    if (event.modifiers() == Qt::ShiftModifier) {
        extendTo(offset, point.x());
        m_control.view().ensureCaretVisible();
        return;
    }
    const BinaryTextModel &model = m_control.model();
    if (model.hasSelection() && offset >= model.selectionStart() &&
        offset <= model.selectionEnd()) {
        m_dragCandidate = true;
        return;
    }
    placeCaret(offset);
}

void BinaryTextMouse::move(const QMouseEvent &event)
{
    if (!(event.buttons() & Qt::LeftButton)) {
        return;
    }
    pointerAt(event.position().toPoint());
    // Outside the view, it scrolls after a moment, then faster the farther
    // the pointer goes.
    if (m_control.view().visibleRect().contains(m_lastPoint)) {
        m_autoScrollTimer.stop();
    } else if (!m_autoScrollTimer.isActive()) {
        m_autoScrollTimer.start(qteditor::kFirstAutoScrollMs, this);
    }
}

// The pointer, with the left button down, is at `point`: the caret follows
// it at once, wherever it is, without scrolling to it.
void BinaryTextMouse::pointerAt(QPoint point)
{
    m_lastPoint = point;
    if (m_dragCandidate) {
        // Until the button goes up, as in Qt's editors: a drag the window
        // system ends at once (no drop anywhere) leaves the next move free
        // to start another.
        if ((point - m_pressPoint).manhattanLength() > QApplication::startDragDistance() &&
            m_drops.startDrag()) {
            // Dropped: the window system took the release, the gesture is over.
            m_dragCandidate = m_selecting = false;
            m_autoScrollTimer.stop();
        }
        return;
    }
    if (m_selecting) {
        extendTo(m_control.view().offsetAt(point), point.x());
    }
}

void BinaryTextMouse::release(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    // A drag that scrolled the view ends with the caret in view.
    const bool wasScrolling = m_autoScrollTimer.isActive();
    m_autoScrollTimer.stop();
    releaseButton(event, point);
    if (wasScrolling) {
        m_control.view().ensureCaretVisible();
    }
}

void BinaryTextMouse::releaseButton(const QMouseEvent &event, QPoint point)
{
    if (m_dragCandidate && event.button() == Qt::LeftButton) {
        // A click into the selection, or the end of a drag that the window
        // system let through: the caret goes where the button went up.
        m_dragCandidate = false;
        m_selecting = false;
        m_control.moveCaret(m_control.view().offsetAt(point), false, false);
        return;
    }
    if (m_selecting) {
        m_selecting = false;
        m_control.offerSelection();
    } else if (event.button() == Qt::MiddleButton) {
        // The primary selection, pasted where the button went up.
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (clipboard->supportsSelection()) {
            m_control.moveCaret(m_control.view().offsetAt(point), false);
            m_control.insertFromMimeData(clipboard->mimeData(QClipboard::Selection));
        }
    }
}

void BinaryTextMouse::doubleClick(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    m_dragCandidate = false;
    const auto [start, end] = m_control.model().wordAt(m_control.view().offsetAt(point));
    m_control.select(start, end, false);
    m_control.offerSelection();
    m_word = clicked({start, end});
    m_doubleClickPoint = point;
    m_tripleClickTimer.start(QApplication::doubleClickInterval(), this);
}

void BinaryTextMouse::follow(const TextExchange &exchange)
{
    for (std::optional<Clicked> *remembered : {&m_word, &m_paragraph}) {
        if (*remembered) {
            (*remembered)->range = followed((*remembered)->range, exchange);
        }
    }
}

void BinaryTextMouse::placeCaret(qsizetype offset)
{
    m_word.reset();
    m_paragraph.reset();
    m_control.moveCaret(offset, false);
}

// A Shift+click or a drag: by paragraphs after a triple click, by words
// after a double click, else to the very code.
void BinaryTextMouse::extendTo(qsizetype offset, int x)
{
    if (m_paragraph && m_paragraph->selects()) {
        extendByParagraphs(offset);
    } else if (m_word && m_word->selects()) {
        extendByWords(offset, x);
    } else {
        m_control.moveCaret(offset, true, false);
    }
}

BinaryTextMouse::Clicked BinaryTextMouse::clicked(Range range) const
{
    return {range, m_control.caretColumn()};
}

// Over the first word or paragraph, that one is selected again, as it was.
bool BinaryTextMouse::reselects(const Clicked &clicked, qsizetype offset)
{
    const auto [anchor, caret] = clicked.range;
    if (offset < std::min(anchor, caret) || offset > std::max(anchor, caret)) {
        return false;
    }
    m_control.select(anchor, caret);
    m_control.setCaretColumn(clicked.column);
    return true;
}

// As Qt's editors extend a double click's word: to the start or the end of
// the word under the pointer, whichever is nearer, keeping the first word;
// nothing while the pointer is off that word's line or beside it.
void BinaryTextMouse::extendByWords(qsizetype offset, int x)
{
    if (reselects(*m_word, offset)) {
        return;
    }
    const BinaryTextModel &model = m_control.model();
    const std::optional<qsizetype> start = model.startOfWord(offset);
    if (!start) {
        return;
    }
    const CodeLineLayout &layout = model.layout();
    const qsizetype line = layout.lineOf(*start);
    const qsizetype end = model.endOfWord(*start).value_or(*start);
    if (layout.lineOf(end) != line || end == *start) {
        return;
    }
    const qreal startX = m_control.view().xAt(line, *start);
    const qreal endX = m_control.view().xAt(line, end);
    if (x < startX || x > endX) {
        return;
    }
    const auto [wordStart, wordEnd] = std::minmax(m_word->range.first, m_word->range.second);
    const qsizetype anchor = offset < m_word->range.second ? wordEnd : wordStart;
    m_control.select(anchor, x - startX < endX - x ? *start : end);
    m_control.offerSelection();
}

// As Qt's editors extend a triple click's paragraph: whole paragraphs,
// keeping the first.
void BinaryTextMouse::extendByParagraphs(qsizetype offset)
{
    if (reselects(*m_paragraph, offset)) {
        return;
    }
    const BinaryTextModel &model = m_control.model();
    const auto [first, last] = std::minmax(m_paragraph->range.first, m_paragraph->range.second);
    if (offset < m_paragraph->range.second) {
        m_control.select(last, model.moved(offset, BinaryTextModel::Move::StartOfParagraph));
    } else {
        const qsizetype end = model.moved(offset, BinaryTextModel::Move::EndOfParagraph);
        m_control.select(first, model.moved(end, BinaryTextModel::Move::NextChar));
    }
    m_control.offerSelection();
}

// The caret's paragraph with the line break after it.
void BinaryTextMouse::selectParagraphAtCaret()
{
    const BinaryTextModel &model = m_control.model();
    const qsizetype start = model.moved(model.caret(), BinaryTextModel::Move::StartOfParagraph);
    const qsizetype end = model.moved(start, BinaryTextModel::Move::EndOfParagraph);
    const Range paragraph{start, model.moved(end, BinaryTextModel::Move::NextChar)};
    m_control.select(paragraph.first, paragraph.second);
    m_paragraph = clicked(paragraph);
}

void BinaryTextMouse::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_autoScrollTimer.timerId()) {
        autoScroll();
    } else if (event->timerId() == m_tripleClickTimer.timerId()) {
        m_tripleClickTimer.stop();
    }
}

// As Qt's editors auto-scroll: the pointer moves again where it is, then
// the view scrolls a line towards it, sooner the farther away it is.
void BinaryTextMouse::autoScroll()
{
    const QRect view = m_control.view().visibleRect();
    const QPoint point = m_lastPoint;
    if (!m_dragCandidate) { // a drag starts only from the user's own move
        pointerAt(point);
    }
    if (view.contains(point)) {
        m_autoScrollTimer.stop();
        return;
    }
    const int deltaY = std::max(point.y() - view.top(), view.bottom() - point.y()) - view.height();
    const int deltaX = std::max(point.x() - view.left(), view.right() - point.x()) - view.width();
    const int delta = std::max(deltaX, deltaY);
    if (delta >= 0) {
        m_autoScrollTimer.start(qteditor::autoScrollInterval(delta), this);
        if (deltaY > 0) {
            m_control.view().scrollStep(point.y() < view.center().y() ? -1 : 1);
        }
    }
}

} // namespace vantrel
