// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"
#include "field_codes.h"
#include "paste_conversion.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <array>
#include <limits>

// The field's metrics and line layout, scrolling, and painting the lines in
// view.
namespace vantrel {
namespace {

// Space between the viewport's edges and the text, as QPlainTextEdit leaves.
constexpr int kMargin = 4;
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
    m_lineHeight = std::max(1, qCeil(metrics.lineSpacing()));
    // Scrolled into a wrapped paragraph, QPlainTextEdit puts the line above
    // at its natural height above the top, so a sliver of it shows.
    m_wrappedTopOffset = std::max(0, qRound(m_lineHeight - metrics.lineSpacing()));
    m_ascent = qCeil(metrics.ascent());
    m_model.layout().setAdvances(advances);
    updateLayoutWidth();
}

void BinaryTextEdit::updateLayoutWidth()
{
    const qsizetype topOffset = m_model.layout().line(firstVisibleLine()).start;
    m_model.layout().setWidth(std::max(1, viewport()->width() - 2 * kMargin));
    updateScrollBar();
    verticalScrollBar()->setValue(int(m_model.layout().lineOf(topOffset)));
    viewport()->update();
}

void BinaryTextEdit::updateScrollBar()
{
    // As QPlainTextEdit counts a page: the lines that fit above the bottom
    // margin, and no more lines than the text has.
    const qsizetype fullLines = std::max(1, (viewport()->height() - kMargin - 1) / m_lineHeight);
    const qsizetype lines = m_model.layout().lineCount();
    const qsizetype page = std::min(fullLines, lines);
    QScrollBar *bar = verticalScrollBar();
    bar->setPageStep(int(page));
    bar->setRange(0, int(lines - page));
}

qsizetype BinaryTextEdit::firstVisibleLine() const
{
    return std::min<qsizetype>(verticalScrollBar()->value(), m_model.layout().lineCount() - 1);
}

void BinaryTextEdit::ensureCaretVisible()
{
    const qsizetype line = m_model.layout().lineOf(m_model.caret());
    QScrollBar *bar = verticalScrollBar();
    if (line < bar->value()) {
        bar->setValue(int(line));
    } else if (line >= bar->value() + bar->pageStep()) {
        bar->setValue(int(line - bar->pageStep() + 1));
    }
}

// Where the first line in view begins: below the margin at the top of the
// text, at the top of the view when scrolled to a paragraph's start, and a
// little lower inside a wrapped paragraph, as in QPlainTextEdit.
int BinaryTextEdit::topOffset() const
{
    const qsizetype first = firstVisibleLine();
    if (first == 0) {
        return kMargin;
    }
    const qsizetype start = m_model.layout().line(first).start;
    return m_model.layout().line(first - 1).endsParagraph || start == 0 ? 0 : m_wrappedTopOffset;
}

int BinaryTextEdit::lineTop(qsizetype lineIndex) const
{
    // A line far out of view may lie beyond what an int holds; it only
    // needs to stay out of view.
    const qsizetype top = topOffset() + (lineIndex - firstVisibleLine()) * m_lineHeight;
    constexpr qsizetype kFarAway = std::numeric_limits<int>::max() / 2;
    return int(std::clamp(top, -kFarAway, kFarAway));
}

QRect BinaryTextEdit::caretRectAt(qsizetype offset) const
{
    offset = std::min(offset, m_model.size()); // a caret from before an edit
    const qsizetype line = m_model.layout().lineOf(offset);
    const int x = kMargin + qRound(m_model.layout().x(line, offset));
    return {x, lineTop(line), 1, m_lineHeight};
}

QRect BinaryTextEdit::characterRect(qsizetype offset) const
{
    const qsizetype line = m_model.layout().lineOf(offset);
    const qreal left = m_model.layout().x(line, offset);
    const qreal width = offset < m_model.size() && offset < m_model.layout().line(line).end
                            ? m_model.layout().advance(
                                  static_cast<unsigned char>(m_model.codes()[std::size_t(offset)]))
                            : 0;
    return QRectF(kMargin + left, lineTop(line), width, m_lineHeight).toAlignedRect();
}

qsizetype BinaryTextEdit::offsetAt(const QPoint &point) const
{
    // As in Qt's editors: the line at that height, in view or not (while
    // dragging); above the text its start, below it its end.
    const CodeLineLayout &layout = m_model.layout();
    const qsizetype row = qsizetype(std::floor(qreal(point.y() - topOffset()) / m_lineHeight));
    const qsizetype line = firstVisibleLine() + row;
    if (line < 0) {
        return 0;
    }
    if (line >= layout.lineCount()) {
        return m_model.size();
    }
    return layout.offsetAt(line, point.x() - kMargin);
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
    const qsizetype first = std::max<qsizetype>(
        0, top + qsizetype(std::floor(qreal(dirty.top() - topOffset()) / m_lineHeight)));
    const qsizetype last =
        std::min<qsizetype>(top + std::max(0, (dirty.bottom() - topOffset()) / m_lineHeight),
                            m_model.layout().lineCount() - 1);
    for (qsizetype line = first; line <= last; ++line) {
        paintLine(painter, line);
    }
    if (m_caretShown || m_drops.dropCaret() >= 0) {
        painter.fillRect(
            caretRectAt(m_drops.dropCaret() >= 0 ? m_drops.dropCaret() : m_model.caret()),
            palette().color(QPalette::Text));
    }
    if (m_paste) {
        paintPasteProgress(painter);
    }
}

void BinaryTextEdit::paintLine(QPainter &painter, qsizetype lineIndex) const
{
    const CodeLineLayout::Line line = m_model.layout().line(lineIndex);
    QString shown(line.end - line.start, Qt::Uninitialized);
    for (qsizetype i = line.start; i < line.end; ++i) {
        const auto code = static_cast<unsigned char>(m_model.codes()[std::size_t(i)]);
        // A tab is white space, as in every other text field.
        shown[i - line.start] = code == '\t' ? QChar(u' ') : fieldcodes::displayCharacter(code);
    }
    const int top = lineTop(lineIndex);
    const QPointF baseline(kMargin, top + m_ascent);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(baseline, shown);

    const qsizetype from = std::max(selectionStart(), line.start);
    const qsizetype to = std::min(selectionEnd(), line.end);
    // A selected line break shows as a space's width after the line, so an
    // empty line in a selection shows it is selected.
    const bool breakSelected = line.endsParagraph && line.end < m_model.size() &&
                               selectionStart() <= line.end && selectionEnd() > line.end;
    if (from >= to && !breakSelected) {
        return;
    }
    const qreal left = kMargin + m_model.layout().x(lineIndex, from);
    const qreal right = kMargin + m_model.layout().x(lineIndex, std::max(from, to)) +
                        (breakSelected ? m_model.layout().advance(' ') : 0);
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

} // namespace vantrel
