// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "binary_text_view.h"

#include <QBasicTimer>
#include <QFont>
#include <QObject>
#include <QRegion>

class QAbstractScrollArea;
class QPainter;

// The view of a binary text field: it lays the model's codes out in the
// field's font and width, keeps the scroll position as a line of a
// paragraph (a fraction of a pixel off, as QPlainTextEdit does), paints the
// lines in view with the selection, the blinking caret and a paste's
// progress, and tells screen readers what changed. It reads the text, the
// caret and the selection from the controller, and changes none of them.
namespace vantrel {

class BinaryTextControl;
class BinaryTextModel;

class BinaryTextCanvas : public QObject, public BinaryTextView
{
public:
    // Space between the viewport's edges and the text, as QPlainTextEdit leaves.
    static constexpr int kMargin = 4;

    // A child of the area.
    BinaryTextCanvas(QAbstractScrollArea &area, BinaryTextControl &control);

    // From the field's events.
    void updateMetrics();
    void updateLayoutWidth();
    void followScrollBar();
    void paint(const QRect &dirty);
    void focusChanged(bool focused);

    [[nodiscard]] QRect caretRect() const;
    [[nodiscard]] QRect characterRect(qsizetype offset) const;
    [[nodiscard]] qsizetype firstVisibleLine() const;

    [[nodiscard]] qsizetype offsetAt(QPoint point) const override;
    [[nodiscard]] qreal xAt(qsizetype line, qsizetype offset) const override;
    [[nodiscard]] QRect visibleRect() const override;
    [[nodiscard]] qreal contentTop(qsizetype lineIndex) const override;
    [[nodiscard]] qreal viewTop() const override { return verticalOffset(); }
    void ensureCaretVisible() override;
    std::optional<qreal> scrollPage(int direction) override;
    void scrollStep(int direction) override;
    void relayout() override;
    void repaint() override;
    void restartBlinking() override;
    void caretMoved(const CaretState &before) override;
    void textExchanged(const TextExchange &exchange) override;
    void showRefused() override;

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    [[nodiscard]] const BinaryTextModel &model() const;
    void updateScrollBar();
    [[nodiscard]] qsizetype topLineShowingAtBottom(qsizetype lineIndex) const;
    void scrollToLine(qsizetype lineIndex);
    void showFromLine(qsizetype lineIndex);
    std::optional<qreal> scrollPageDown();
    std::optional<qreal> scrollPageUp();
    [[nodiscard]] qreal paragraphOffset(qsizetype paragraph, qsizetype lineInParagraph) const;
    [[nodiscard]] qreal paragraphHeight(qsizetype paragraph) const;
    [[nodiscard]] qreal paragraphY(qsizetype paragraph) const;
    [[nodiscard]] qreal verticalOffset() const;
    [[nodiscard]] qreal firstLineTop() const;
    [[nodiscard]] QRect caretRectAt(qsizetype offset) const;
    [[nodiscard]] int lineTop(qsizetype lineIndex) const;
    void paintLine(QPainter &painter, qsizetype lineIndex) const;
    void paintCaret(QPainter &painter, qsizetype offset) const;
    [[nodiscard]] QRegion selectedPixels(qsizetype lineIndex, int top) const;
    void paintPasteProgress(QPainter &painter, qreal done) const;
    void updateCaretAt(qsizetype offset);
    void announceToScreenReaders(const CaretState &before);

    QAbstractScrollArea &m_area;
    BinaryTextControl &m_control;

    QFont m_drawFont;
    int m_lineHeight = 1;      // a line's step, in whole pixels
    qreal m_naturalHeight = 1; // the font's own line spacing
    // The view starts at a line of a paragraph, a fraction of a pixel off.
    qsizetype m_topParagraph = 0;
    qsizetype m_topLineInParagraph = 0;
    qreal m_topFraction = 0;
    qreal m_ascent = 0;
    qreal m_textHeight = 1; // ascent and descent, the caret's height

    QBasicTimer m_blinkTimer;
    bool m_caretShown = false;
};

} // namespace vantrel
