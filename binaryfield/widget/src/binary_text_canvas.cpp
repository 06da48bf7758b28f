// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_canvas.h"

#include "binary_text_control.h"
#include "field_codes.h"
#include "house_colours.h"
#include "palette_use.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <array>
#include <limits>

namespace vantrel {
namespace {

constexpr int kProgressBarHeight = 3;

} // namespace

BinaryTextCanvas::BinaryTextCanvas(QAbstractScrollArea &area, BinaryTextControl &control)
    : QObject(&area), m_area(area), m_control(control)
{
    updateMetrics();
}

const BinaryTextModel &BinaryTextCanvas::model() const
{
    return m_control.model();
}

void BinaryTextCanvas::updateMetrics()
{
    // No kerning and no shaping: each code then takes its own advance
    // wherever it stands, which is what the line layout assumes.
    m_drawFont = m_area.font();
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
    // Lines follow each other at whole pixels, but a view scrolled into a
    // paragraph starts at the natural bottom of the line above, as in
    // QPlainTextEdit: a sliver of that line can show.
    m_naturalHeight = std::max<qreal>(1, metrics.lineSpacing());
    m_lineHeight = qCeil(m_naturalHeight);
    m_ascent = metrics.ascent();
    m_textHeight = metrics.height();
    m_control.layout().setAdvances(advances);
    updateLayoutWidth();
}

void BinaryTextCanvas::updateLayoutWidth()
{
    m_control.layout().setWidth(std::max(1, m_area.viewport()->width() - 2 * kMargin));
    updateScrollBar();
    m_area.viewport()->update();
}

// As QPlainTextEdit keeps its view after any change: the page is the lines
// that fit above the bottom margin, and the view stays on the same line of
// the same paragraph, or on the last page when that is gone.
void BinaryTextCanvas::updateScrollBar()
{
    const CodeLineLayout &layout = model().layout();
    const qsizetype fullLines =
        std::max(1, (m_area.viewport()->height() - kMargin - 1) / m_lineHeight);
    const qsizetype lines = layout.lineCount();
    const qsizetype page = std::min(fullLines, lines);
    QScrollBar *bar = m_area.verticalScrollBar();
    bar->setPageStep(int(page));
    bar->setRange(0, int(lines - page));
    scrollToLine(m_topParagraph < layout.paragraphCount()
                     ? layout.firstLineOf(m_topParagraph) + m_topLineInParagraph
                     : bar->maximum());
}

qsizetype BinaryTextCanvas::firstVisibleLine() const
{
    return std::min<qsizetype>(m_area.verticalScrollBar()->value(),
                               model().layout().lineCount() - 1);
}

void BinaryTextCanvas::scrollToLine(qsizetype lineIndex)
{
    m_area.verticalScrollBar()->setValue(int(lineIndex));
    showFromLine(firstVisibleLine());
}

// Makes `lineIndex` the first line in view. QPlainTextEdit scrolls its
// viewport by whole pixels and carries the fraction of a pixel left over
// into the next scroll; keeping it too puts every line where the standard
// field puts it.
void BinaryTextCanvas::showFromLine(qsizetype lineIndex)
{
    const CodeLineLayout &layout = model().layout();
    const qsizetype paragraph = layout.paragraphOfLine(lineIndex);
    const qsizetype inParagraph = lineIndex - layout.firstLineOf(paragraph);
    if (paragraph == m_topParagraph && inParagraph == m_topLineInParagraph) {
        return;
    }
    qreal fraction = 0;
    if (m_area.viewport()->isVisible() && m_topParagraph < layout.paragraphCount()) {
        const qreal distance =
            verticalOffset() - paragraphY(paragraph) - paragraphOffset(paragraph, inParagraph);
        fraction = std::trunc(distance) != 0 ? distance - std::trunc(distance) : 0;
    }
    m_topParagraph = paragraph;
    m_topLineInParagraph = inParagraph;
    m_topFraction = fraction;
    m_area.viewport()->update();
}

// A page down: the first line in view becomes the first one that did not
// fit whole. A page up: the first line in view becomes the first whose top
// is a view's height above.
std::optional<qreal> BinaryTextCanvas::scrollPage(int direction)
{
    return direction > 0 ? scrollPageDown() : scrollPageUp();
}

// With the last paragraph in view the view stays, and the caret goes to the
// end: the y to page to, then, is returned.
std::optional<qreal> BinaryTextCanvas::scrollPageDown()
{
    const CodeLineLayout &layout = model().layout();
    const qreal bottom = verticalOffset() + m_area.viewport()->height();
    qsizetype paragraph = m_topParagraph;
    qreal y = 0;
    while (y + paragraphHeight(paragraph) <= bottom) {
        if (paragraph + 1 >= layout.paragraphCount()) {
            return bottom;
        }
        y += paragraphHeight(paragraph++);
    }
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph);
    const qreal fitting = (bottom - y - m_naturalHeight) / m_lineHeight;
    const qsizetype line =
        std::clamp<qsizetype>(fitting < 0 ? 0 : qsizetype(std::floor(fitting)) + 1, 0, lines - 1);
    scrollToLine(layout.firstLineOf(paragraph) + line);
    return std::nullopt;
}

// At the text's top the caret goes to the first line: the y to page to,
// then, is returned.
std::optional<qreal> BinaryTextCanvas::scrollPageUp()
{
    const CodeLineLayout &layout = model().layout();
    const qreal top = verticalOffset() - m_area.viewport()->height();
    const qsizetype firstInView = m_topParagraph;
    std::optional<qreal> caretY;
    qsizetype paragraph = firstInView;
    qreal y = 0;
    while (y >= top) {
        if (paragraph == 0) {
            if (firstInView == 0 && m_topLineInParagraph == 0) {
                caretY = 0;
            }
            break;
        }
        y -= paragraphHeight(--paragraph);
    }
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph);
    const qreal below = (top - y) / m_lineHeight;
    qsizetype line = below <= 0 ? 0 : qsizetype(std::ceil(below));
    if (line >= lines) {
        if (paragraph + 1 < layout.paragraphCount() && paragraph + 1 != firstInView) {
            ++paragraph;
            line = 0;
        } else {
            line = lines - 1;
        }
    }
    scrollToLine(layout.firstLineOf(paragraph) + line);
    return caretY;
}

void BinaryTextCanvas::scrollStep(int direction)
{
    m_area.verticalScrollBar()->triggerAction(direction < 0 ? QAbstractSlider::SliderSingleStepSub
                                                            : QAbstractSlider::SliderSingleStepAdd);
}

// As QPlainTextEdit scrolls to the caret: only when its rectangle, in
// whole pixels, leaves the view; a line above goes to the top, a line below
// as low as it fits.
void BinaryTextCanvas::ensureCaretVisible()
{
    const CodeLineLayout &layout = model().layout();
    const qsizetype line = layout.lineOf(model().caret());
    const qreal offset = verticalOffset();
    // From the top of the paragraph that holds the first line in view.
    const qsizetype lineY = (line - layout.firstLineOf(m_topParagraph)) * m_lineHeight;
    const qsizetype caretTop = lineY - qsizetype(offset);
    const int height = m_area.viewport()->height();
    if (caretTop >= 0 && caretTop + m_lineHeight <= height) {
        return;
    }
    if (qreal(lineY) + m_naturalHeight >= offset + height) {
        scrollToLine(topLineShowingAtBottom(line));
    } else if (qreal(lineY) < offset) {
        scrollToLine(line);
    }
}

// The first line in view that shows `lineIndex` at the bottom: whole
// paragraphs above it while they fit, then the lines of the one that does
// not that leave the line's natural bottom in view.
qsizetype BinaryTextCanvas::topLineShowingAtBottom(qsizetype lineIndex) const
{
    const CodeLineLayout &layout = model().layout();
    const int height = m_area.viewport()->height();
    qsizetype paragraph = layout.paragraphOfLine(lineIndex);
    qsizetype below = paragraph;
    qreal bottom =
        qreal(lineIndex - layout.firstLineOf(paragraph)) * m_lineHeight + m_naturalHeight;
    while (bottom < height && paragraph > 0) {
        below = paragraph--;
        bottom += paragraphHeight(paragraph);
    }
    const qreal margin = paragraph == 0 ? kMargin : 0;
    const qsizetype skipped =
        std::max<qsizetype>(0, qCeil((bottom + margin - height) / m_lineHeight));
    const qsizetype first = layout.firstLineOf(paragraph);
    return first + skipped < layout.firstLineOf(paragraph + 1) ? first + skipped
                                                               : layout.firstLineOf(below);
}

// How far into a paragraph a view that starts at one of its lines begins:
// above the paragraph by the margin at the text's top, and at the natural
// bottom of the line above inside a wrapped paragraph.
qreal BinaryTextCanvas::paragraphOffset(qsizetype paragraph, qsizetype lineInParagraph) const
{
    const CodeLineLayout &layout = model().layout();
    qreal offset = 0;
    if (lineInParagraph > 0 && paragraph < layout.paragraphCount() &&
        lineInParagraph <= layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph)) {
        offset = qreal(lineInParagraph - 1) * m_lineHeight + m_naturalHeight;
    }
    return paragraph == 0 && lineInParagraph == 0 ? offset - kMargin : offset;
}

qreal BinaryTextCanvas::paragraphHeight(qsizetype paragraph) const
{
    const CodeLineLayout &layout = model().layout();
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph);
    return qreal(lines) * m_lineHeight + (paragraph + 1 == layout.paragraphCount() ? kMargin : 0);
}

// Where a paragraph lies from the top of the first one in view, as
// QPlainTextEdit measures it: paragraph by paragraph, up to about two views
// down or one up, and beyond that only as far as it went.
qreal BinaryTextCanvas::paragraphY(qsizetype paragraph) const
{
    const int height = m_area.viewport()->height();
    qsizetype current = m_topParagraph;
    qreal y = 0;
    qreal currentHeight = paragraphHeight(current);
    const qreal topHeight = currentHeight;
    while (current < paragraph && y - topHeight <= 2 * height) {
        y += currentHeight;
        currentHeight = paragraphHeight(++current);
    }
    while (current > paragraph && y + topHeight >= -height) {
        y -= paragraphHeight(--current);
    }
    if (current > paragraph) {
        y -= paragraphHeight(paragraph);
    }
    return y;
}

qreal BinaryTextCanvas::verticalOffset() const
{
    return paragraphOffset(m_topParagraph, m_topLineInParagraph) + m_topFraction;
}

// The top of the first line in view, in viewport coordinates.
qreal BinaryTextCanvas::firstLineTop() const
{
    return qreal(m_topLineInParagraph) * m_lineHeight - verticalOffset();
}

// The top of a line from the top of the paragraph that the view starts in.
qreal BinaryTextCanvas::contentTop(qsizetype lineIndex) const
{
    return qreal(lineIndex - model().layout().firstLineOf(m_topParagraph)) * m_lineHeight;
}

int BinaryTextCanvas::lineTop(qsizetype lineIndex) const
{
    // A line far out of view may lie beyond what an int holds; it only
    // needs to stay out of view.
    const qreal top = firstLineTop() + qreal(lineIndex - firstVisibleLine()) * m_lineHeight;
    constexpr qreal kFarAway = qreal(std::numeric_limits<int>::max()) / 2;
    return qRound(std::clamp(top, -kFarAway, kFarAway));
}

QRect BinaryTextCanvas::caretRectAt(qsizetype offset) const
{
    offset = std::min(offset, model().size()); // a caret from before an edit
    const qsizetype line = model().layout().lineOf(offset);
    const int x = kMargin + qRound(model().layout().x(line, offset));
    return {x, lineTop(line), 1, m_lineHeight};
}

QRect BinaryTextCanvas::caretRect() const
{
    return caretRectAt(model().caret());
}

qreal BinaryTextCanvas::xAt(qsizetype line, qsizetype offset) const
{
    return kMargin + model().layout().x(line, offset);
}

QRect BinaryTextCanvas::visibleRect() const
{
    return m_area.viewport()->rect();
}

QRect BinaryTextCanvas::characterRect(qsizetype offset) const
{
    const qsizetype line = model().layout().lineOf(offset);
    const qreal left = model().layout().x(line, offset);
    const qreal width =
        offset < model().size() && offset < model().layout().line(line).end
            ? model().layout().advanceAt(static_cast<unsigned char>(model().code(offset)), left)
            : 0;
    return QRectF(kMargin + left, lineTop(line), width, m_lineHeight).toAlignedRect();
}

qsizetype BinaryTextCanvas::offsetAt(QPoint point) const
{
    // As QPlainTextEdit finds the paragraph at a point, in view or not
    // (while dragging): down paragraph by paragraph, or up, where it steps
    // by the height of the paragraph it leaves. In the paragraph: above its
    // lines its start, below them its end, in the gap between a line's
    // natural bottom and the next line that line's end. Like QPlainTextEdit,
    // the point is rounded to whole pixels once moved into the text.
    const CodeLineLayout &layout = model().layout();
    const qreal y = qRound(point.y() + verticalOffset());
    qsizetype paragraph = m_topParagraph;
    qreal paragraphTop = 0;
    qreal height = paragraphHeight(paragraph);
    while (paragraph + 1 < layout.paragraphCount() && paragraphTop + height <= y) {
        paragraphTop += height;
        height = paragraphHeight(++paragraph);
    }
    while (paragraph > 0 && paragraphTop > y) {
        paragraphTop -= height;
        height = paragraphHeight(--paragraph);
    }
    const qreal inParagraph = y - paragraphTop;
    const qsizetype first = layout.firstLineOf(paragraph);
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - first;
    if (inParagraph < 0) {
        return layout.line(first).start;
    }
    const auto row = qsizetype(std::floor(inParagraph / m_lineHeight));
    if (row >= lines) {
        return layout.line(first + lines - 1).end;
    }
    if (inParagraph - qreal(row) * m_lineHeight >= m_naturalHeight) {
        return layout.line(first + row).end;
    }
    return layout.offsetAt(first + row, point.x() - kMargin);
}

void BinaryTextCanvas::followScrollBar()
{
    showFromLine(firstVisibleLine());
}

void BinaryTextCanvas::paint(const QRect &dirty)
{
    QPainter painter(m_area.viewport());
    painter.setFont(m_drawFont);
    const qsizetype top = firstVisibleLine();
    const qreal topY = firstLineTop();
    const qsizetype first =
        std::max<qsizetype>(0, top + qsizetype(std::floor((dirty.top() - topY) / m_lineHeight)));
    const qsizetype last =
        std::min<qsizetype>(top + qsizetype(std::floor((dirty.bottom() - topY) / m_lineHeight)),
                            model().layout().lineCount() - 1);
    for (qsizetype line = first; line <= last; ++line) {
        paintLine(painter, line);
    }
    const qsizetype dropCaret = m_control.dropCaret();
    if (m_caretShown || dropCaret >= 0) {
        paintCaret(painter, dropCaret >= 0 ? dropCaret : model().caret());
    }
    if (const std::optional<qreal> done = m_control.pasteProgress()) {
        paintPasteProgress(painter, *done);
    }
}

void BinaryTextCanvas::relayout()
{
    updateScrollBar();
    repaint();
}

void BinaryTextCanvas::repaint()
{
    m_area.viewport()->update();
}

// The invalid colour says it.
void BinaryTextCanvas::showRefused()
{
    palette::setBackground(&m_area, colours::kInvalid);
}

void BinaryTextCanvas::caretMoved(const CaretState &before)
{
    updateCaretAt(before.caret);
    updateCaretAt(model().caret());
    if (before.caret != before.anchor || model().hasSelection()) {
        repaint();
    }
    if (QAccessible::isActive()) {
        announceToScreenReaders(before);
    }
}

// As Qt's editors tell screen readers: the selection when it changed, then
// where the caret went. Offsets count a line break as one.
void BinaryTextCanvas::announceToScreenReaders(const CaretState &before)
{
    const BinaryTextModel &text = model();
    const auto plain = [&text](qsizetype code) {
        return int(code - text.layout().lineBreaksBefore(code));
    };
    if (before.caret != before.anchor || text.hasSelection()) {
        QAccessibleTextSelectionEvent selection(&m_area, plain(text.selectionStart()),
                                                plain(text.selectionEnd()));
        selection.setCursorPosition(plain(text.caret()));
        QAccessible::updateAccessibility(&selection);
    }
    if (before.caret != text.caret()) {
        QAccessibleTextCursorEvent event(&m_area, plain(text.caret()));
        QAccessible::updateAccessibility(&event);
    }
}

void BinaryTextCanvas::textExchanged(const TextExchange &exchange)
{
    if (!QAccessible::isActive() ||
        (exchange.removedCharacters == 0 && exchange.insertedLength == 0)) {
        return;
    }
    const QString inserted = fieldcodes::plainText(
        model().codes(exchange.start, exchange.start + exchange.insertedLength));
    // As Qt's editors do, the removed text is told by its length alone.
    const QString removed(exchange.removedCharacters, QLatin1Char(' '));
    const int position = int(exchange.plainStart);
    if (exchange.removedCharacters == 0) {
        QAccessibleTextInsertEvent event(&m_area, position, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (exchange.insertedLength == 0) {
        QAccessibleTextRemoveEvent event(&m_area, position, removed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(&m_area, position, removed, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

// The caret blinks at the platform's rate while the field has the focus.
void BinaryTextCanvas::restartBlinking()
{
    const bool wanted = m_area.hasFocus() && m_area.isEnabled();
    const int flash = QApplication::cursorFlashTime();
    if (wanted && flash >= 2) {
        m_blinkTimer.start(flash / 2, this);
    } else {
        m_blinkTimer.stop();
    }
    m_caretShown = wanted;
    updateCaretAt(model().caret());
}

void BinaryTextCanvas::updateCaretAt(qsizetype offset)
{
    // Only the caret's rectangle: an idle field with a blinking caret paints
    // next to nothing, however long its text.
    m_area.viewport()->update(caretRectAt(offset).adjusted(-2, 0, 2, 0));
}

void BinaryTextCanvas::focusChanged(bool focused)
{
    if (focused) {
        restartBlinking();
    } else {
        m_blinkTimer.stop();
        m_caretShown = false;
    }
    repaint();
}

void BinaryTextCanvas::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blinkTimer.timerId()) {
        m_caretShown = !m_caretShown;
        updateCaretAt(model().caret());
    }
}

// As Qt's text layout draws a cursor: as tall as the font's ascent and
// descent, the line's leading left out, inverting what lies beneath it.
void BinaryTextCanvas::paintCaret(QPainter &painter, qsizetype offset) const
{
    const QRect place = caretRectAt(offset);
    if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    }
    painter.fillRect(QRectF(place.x(), place.y(), place.width(), m_textHeight),
                     m_area.palette().brush(QPalette::Text));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void BinaryTextCanvas::paintLine(QPainter &painter, qsizetype lineIndex) const
{
    const CodeLineLayout::Line line = model().layout().line(lineIndex);
    QString shown(line.end - line.start, Qt::Uninitialized);
    std::string scratch;
    const std::string_view codes =
        model().buffer().view(line.start, line.end - line.start, scratch);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto code = static_cast<unsigned char>(codes[i]);
        // A tab is white space up to the next tab stop, as in every other
        // text field.
        shown[qsizetype(i)] = code == '\t' ? QChar(u' ') : fieldcodes::displayCharacter(code);
    }
    const int top = lineTop(lineIndex);
    const qreal baseline = top + m_ascent;
    const auto drawShown = [&] {
        // Runs between tabs, each from where the layout puts it.
        qsizetype runStart = 0;
        while (runStart < shown.size()) {
            qsizetype runEnd = runStart;
            while (runEnd < shown.size() && codes[std::size_t(runEnd)] != '\t') {
                ++runEnd;
            }
            if (runEnd > runStart) {
                const qreal x = model().layout().x(lineIndex, line.start + runStart);
                painter.drawText(QPointF(kMargin + x, baseline),
                                 shown.mid(runStart, runEnd - runStart));
            }
            runStart = runEnd + 1;
        }
    };
    painter.setPen(m_area.palette().color(QPalette::Text));
    drawShown();

    const QRegion selected = selectedPixels(lineIndex, top);
    if (selected.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRegion(selected);
    painter.fillRect(selected.boundingRect(), m_area.palette().color(QPalette::Highlight));
    painter.setPen(m_area.palette().color(QPalette::HighlightedText));
    drawShown();
    painter.restore();
}

// The pixels of a line that show the selection, as Qt's text layout picks
// them. Where the selection starts or ends in the line: the whole pixels
// over the selected codes, up to the end of the line's text. A line
// selected from end to end: the pixels whose centres lie over its text. And
// a selected line break: those under a quarter of the line's height after
// the text, so that an empty line in a selection shows it is selected.
// Spaces that end a paragraph past the edge show so too, when the
// selection reaches into them from the text.
QRegion BinaryTextCanvas::selectedPixels(qsizetype lineIndex, int top) const
{
    const CodeLineLayout &layout = model().layout();
    const CodeLineLayout::Line line = layout.line(lineIndex);
    const qsizetype from = model().selectionStart();
    const qsizetype to = model().selectionEnd();
    // A line that ends a paragraph reaches past its line break.
    const qsizetype stop = line.endsParagraph ? line.end + 1 : line.end;
    if (from == to || line.start > to || stop <= from) {
        return {};
    }
    const qsizetype textEnd = layout.textEnd(line);
    const qreal textRight = kMargin + layout.x(lineIndex, textEnd);
    const auto centresOver = [top, this](qreal left, qreal right) {
        const int first = qCeil(left - 0.5);
        return QRect(first, top, qCeil(right - 0.5) - first, m_lineHeight);
    };
    const bool startsInLine = line.start <= from;
    const bool endsInLine = to < stop;
    QRegion region;
    if (line.end > line.start && (startsInLine || endsInLine)) {
        const qreal left = kMargin + layout.x(lineIndex, std::max(from, line.start));
        const qreal right =
            std::min(textRight, kMargin + layout.x(lineIndex, std::min(to, line.end)));
        if (right > left) {
            region += QRectF(left, top, right - left, m_lineHeight).toAlignedRect();
        }
    } else {
        region += centresOver(kMargin, textRight);
    }
    const bool endsInHangingSpaces =
        line.endsParagraph && textEnd < line.end && model().code(line.end - 1) != '\t';
    const bool selectsHangingSpaces = endsInHangingSpaces && from <= textEnd && to > textEnd;
    if ((!endsInLine && line.endsParagraph) || selectsHangingSpaces) {
        region += centresOver(textRight, textRight + m_lineHeight / 4.0);
    }
    return region;
}

void BinaryTextCanvas::paintPasteProgress(QPainter &painter, qreal done) const
{
    const int width = m_area.viewport()->width();
    painter.fillRect(QRect(0, 0, qRound(width * done), kProgressBarHeight),
                     m_area.palette().color(QPalette::Highlight));
    painter.setPen(m_area.palette().color(QPalette::Text));
    painter.drawText(QRect(0, kProgressBarHeight, width - kMargin, m_lineHeight),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1 %").arg(qRound(done * 100)));
}

} // namespace vantrel
