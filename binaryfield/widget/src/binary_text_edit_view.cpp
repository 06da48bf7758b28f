// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_drops.h"
#include "binary_text_edit.h"
#include "binary_text_model.h"
#include "field_codes.h"
#include "paste_conversion.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <array>
#include <limits>

// The field's metrics and line layout, scrolling, the blinking caret, and
// painting the lines in view.
namespace vantrel {
namespace {

constexpr int kProgressBarHeight = 3;

} // namespace

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
    // Lines follow each other at whole pixels, but a view scrolled into a
    // paragraph starts at the natural bottom of the line above, as in
    // QPlainTextEdit: a sliver of that line can show.
    m_naturalHeight = std::max<qreal>(1, metrics.lineSpacing());
    m_lineHeight = qCeil(m_naturalHeight);
    m_ascent = metrics.ascent();
    m_textHeight = metrics.height();
    m_model->layout().setAdvances(advances);
    updateLayoutWidth();
}

void BinaryTextEdit::updateLayoutWidth()
{
    m_model->layout().setWidth(std::max(1, viewport()->width() - 2 * kMargin));
    updateScrollBar();
    viewport()->update();
}

// As QPlainTextEdit keeps its view after any change: the page is the lines
// that fit above the bottom margin, and the view stays on the same line of
// the same paragraph, or on the last page when that is gone.
void BinaryTextEdit::updateScrollBar()
{
    const CodeLineLayout &layout = m_model->layout();
    const qsizetype fullLines = std::max(1, (viewport()->height() - kMargin - 1) / m_lineHeight);
    const qsizetype lines = layout.lineCount();
    const qsizetype page = std::min(fullLines, lines);
    QScrollBar *bar = verticalScrollBar();
    bar->setPageStep(int(page));
    bar->setRange(0, int(lines - page));
    scrollToLine(m_topParagraph < layout.paragraphCount()
                     ? layout.firstLineOf(m_topParagraph) + m_topLineInParagraph
                     : bar->maximum());
}

qsizetype BinaryTextEdit::firstVisibleLine() const
{
    return std::min<qsizetype>(verticalScrollBar()->value(), m_model->layout().lineCount() - 1);
}

void BinaryTextEdit::scrollToLine(qsizetype lineIndex)
{
    verticalScrollBar()->setValue(int(lineIndex));
    showFromLine(firstVisibleLine());
}

// Makes `lineIndex` the first line in view. QPlainTextEdit scrolls its
// viewport by whole pixels and carries the fraction of a pixel left over
// into the next scroll; keeping it too puts every line where the standard
// field puts it.
void BinaryTextEdit::showFromLine(qsizetype lineIndex)
{
    const CodeLineLayout &layout = m_model->layout();
    const qsizetype paragraph = layout.paragraphOfLine(lineIndex);
    const qsizetype inParagraph = lineIndex - layout.firstLineOf(paragraph);
    if (paragraph == m_topParagraph && inParagraph == m_topLineInParagraph) {
        return;
    }
    qreal fraction = 0;
    if (viewport()->isVisible() && m_topParagraph < layout.paragraphCount()) {
        const qreal distance =
            verticalOffset() - paragraphY(paragraph) - paragraphOffset(paragraph, inParagraph);
        fraction = std::trunc(distance) != 0 ? distance - std::trunc(distance) : 0;
    }
    m_topParagraph = paragraph;
    m_topLineInParagraph = inParagraph;
    m_topFraction = fraction;
    viewport()->update();
}

// As QPlainTextEdit scrolls to the caret: only when its rectangle, in
// whole pixels, leaves the view; a line above goes to the top, a line below
// as low as it fits.
void BinaryTextEdit::ensureCaretVisible()
{
    const CodeLineLayout &layout = m_model->layout();
    const qsizetype line = layout.lineOf(m_model->caret());
    const qreal offset = verticalOffset();
    // From the top of the paragraph that holds the first line in view.
    const qsizetype lineY = (line - layout.firstLineOf(m_topParagraph)) * m_lineHeight;
    const qsizetype caretTop = lineY - qsizetype(offset);
    const int height = viewport()->height();
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
qsizetype BinaryTextEdit::topLineShowingAtBottom(qsizetype lineIndex) const
{
    const CodeLineLayout &layout = m_model->layout();
    const int height = viewport()->height();
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
qreal BinaryTextEdit::paragraphOffset(qsizetype paragraph, qsizetype lineInParagraph) const
{
    const CodeLineLayout &layout = m_model->layout();
    qreal offset = 0;
    if (lineInParagraph > 0 && paragraph < layout.paragraphCount() &&
        lineInParagraph <= layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph)) {
        offset = qreal(lineInParagraph - 1) * m_lineHeight + m_naturalHeight;
    }
    return paragraph == 0 && lineInParagraph == 0 ? offset - kMargin : offset;
}

qreal BinaryTextEdit::paragraphHeight(qsizetype paragraph) const
{
    const CodeLineLayout &layout = m_model->layout();
    const qsizetype lines = layout.firstLineOf(paragraph + 1) - layout.firstLineOf(paragraph);
    return qreal(lines) * m_lineHeight + (paragraph + 1 == layout.paragraphCount() ? kMargin : 0);
}

// Where a paragraph lies from the top of the first one in view, as
// QPlainTextEdit measures it: paragraph by paragraph, up to about two views
// down or one up, and beyond that only as far as it went.
qreal BinaryTextEdit::paragraphY(qsizetype paragraph) const
{
    const int height = viewport()->height();
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

qreal BinaryTextEdit::verticalOffset() const
{
    return paragraphOffset(m_topParagraph, m_topLineInParagraph) + m_topFraction;
}

// The top of the first line in view, in viewport coordinates.
qreal BinaryTextEdit::firstLineTop() const
{
    return qreal(m_topLineInParagraph) * m_lineHeight - verticalOffset();
}

// The top of a line from the top of the paragraph that the view starts in.
qreal BinaryTextEdit::contentTop(qsizetype lineIndex) const
{
    return qreal(lineIndex - m_model->layout().firstLineOf(m_topParagraph)) * m_lineHeight;
}

int BinaryTextEdit::lineTop(qsizetype lineIndex) const
{
    // A line far out of view may lie beyond what an int holds; it only
    // needs to stay out of view.
    const qreal top = firstLineTop() + qreal(lineIndex - firstVisibleLine()) * m_lineHeight;
    constexpr qreal kFarAway = qreal(std::numeric_limits<int>::max()) / 2;
    return qRound(std::clamp(top, -kFarAway, kFarAway));
}

QRect BinaryTextEdit::caretRectAt(qsizetype offset) const
{
    offset = std::min(offset, m_model->size()); // a caret from before an edit
    const qsizetype line = m_model->layout().lineOf(offset);
    const int x = kMargin + qRound(m_model->layout().x(line, offset));
    return {x, lineTop(line), 1, m_lineHeight};
}

QRect BinaryTextEdit::characterRect(qsizetype offset) const
{
    const qsizetype line = m_model->layout().lineOf(offset);
    const qreal left = m_model->layout().x(line, offset);
    const qreal width =
        offset < m_model->size() && offset < m_model->layout().line(line).end
            ? m_model->layout().advanceAt(static_cast<unsigned char>(m_model->code(offset)), left)
            : 0;
    return QRectF(kMargin + left, lineTop(line), width, m_lineHeight).toAlignedRect();
}

qsizetype BinaryTextEdit::offsetAt(const QPoint &point) const
{
    // As QPlainTextEdit finds the paragraph at a point, in view or not
    // (while dragging): down paragraph by paragraph, or up, where it steps
    // by the height of the paragraph it leaves. In the paragraph: above its
    // lines its start, below them its end, in the gap between a line's
    // natural bottom and the next line that line's end. Like QPlainTextEdit,
    // the point is rounded to whole pixels once moved into the text.
    const CodeLineLayout &layout = m_model->layout();
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
    showFromLine(firstVisibleLine());
}

void BinaryTextEdit::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setFont(m_drawFont);
    const QRect dirty = event->rect();
    const qsizetype top = firstVisibleLine();
    const qreal topY = firstLineTop();
    const qsizetype first =
        std::max<qsizetype>(0, top + qsizetype(std::floor((dirty.top() - topY) / m_lineHeight)));
    const qsizetype last =
        std::min<qsizetype>(top + qsizetype(std::floor((dirty.bottom() - topY) / m_lineHeight)),
                            m_model->layout().lineCount() - 1);
    for (qsizetype line = first; line <= last; ++line) {
        paintLine(painter, line);
    }
    if (m_caretShown || m_drops->dropCaret() >= 0) {
        paintCaret(painter, m_drops->dropCaret() >= 0 ? m_drops->dropCaret() : m_model->caret());
    }
    if (m_paste) {
        paintPasteProgress(painter);
    }
}

// The caret blinks at the platform's rate while the field has the focus.
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
    updateCaretAt(m_model->caret());
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
        updateCaretAt(m_model->caret());
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// As Qt's text layout draws a cursor: as tall as the font's ascent and
// descent, the line's leading left out, inverting what lies beneath it.
void BinaryTextEdit::paintCaret(QPainter &painter, qsizetype offset) const
{
    const QRect place = caretRectAt(offset);
    if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    }
    painter.fillRect(QRectF(place.x(), place.y(), place.width(), m_textHeight),
                     palette().brush(QPalette::Text));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void BinaryTextEdit::paintLine(QPainter &painter, qsizetype lineIndex) const
{
    const CodeLineLayout::Line line = m_model->layout().line(lineIndex);
    QString shown(line.end - line.start, Qt::Uninitialized);
    std::string scratch;
    const std::string_view codes =
        m_model->buffer().view(line.start, line.end - line.start, scratch);
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
                const qreal x = m_model->layout().x(lineIndex, line.start + runStart);
                painter.drawText(QPointF(kMargin + x, baseline),
                                 shown.mid(runStart, runEnd - runStart));
            }
            runStart = runEnd + 1;
        }
    };
    painter.setPen(palette().color(QPalette::Text));
    drawShown();

    const QRegion selected = selectedPixels(lineIndex, top);
    if (selected.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRegion(selected);
    painter.fillRect(selected.boundingRect(), palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    drawShown();
    painter.restore();
}

// The pixels of a line that show the selection, as Qt's text layout picks
// them. Where the selection starts or ends in the line: the whole pixels
// over the selected codes, up to the end of the line's text. A line
// selected from end to end: the pixels whose centres lie over its text. And
// a selected line break: those under a quarter of the line's height after
// the text, so that an empty line in a selection shows it is selected.
QRegion BinaryTextEdit::selectedPixels(qsizetype lineIndex, int top) const
{
    const CodeLineLayout::Line line = m_model->layout().line(lineIndex);
    const qsizetype from = selectionStart();
    const qsizetype to = selectionEnd();
    // A line that ends a paragraph reaches past its line break.
    const qsizetype stop = line.endsParagraph ? line.end + 1 : line.end;
    if (from == to || line.start > to || stop <= from) {
        return {};
    }
    const qreal textRight =
        kMargin + m_model->layout().x(lineIndex, m_model->layout().textEnd(line));
    const auto centresOver = [top, this](qreal left, qreal right) {
        const int first = qCeil(left - 0.5);
        return QRect(first, top, qCeil(right - 0.5) - first, m_lineHeight);
    };
    const bool startsInLine = line.start <= from;
    const bool endsInLine = to < stop;
    QRegion region;
    if (line.end > line.start && (startsInLine || endsInLine)) {
        const qreal left = kMargin + m_model->layout().x(lineIndex, std::max(from, line.start));
        const qreal right =
            std::min(textRight, kMargin + m_model->layout().x(lineIndex, std::min(to, line.end)));
        if (right > left) {
            region += QRectF(left, top, right - left, m_lineHeight).toAlignedRect();
        }
    } else {
        region += centresOver(kMargin, textRight);
    }
    if (!endsInLine && line.endsParagraph) {
        region += centresOver(textRight, textRight + m_lineHeight / 4.0);
    }
    return region;
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

} // namespace vantrel
