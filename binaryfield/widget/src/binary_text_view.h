// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QtGlobal>
#include <optional>

// What the controller of a binary text field asks of the view that shows it:
// where things are on screen, scrolling, and what to redraw and tell screen
// readers after a change. Geometry is in the viewport's coordinates unless a
// method says otherwise.
namespace vantrel {

struct TextExchange;

class BinaryTextView
{
public:
    // The caret and the anchor before a change, to redraw and announce what
    // moved.
    struct CaretState
    {
        qsizetype caret = 0;
        qsizetype anchor = 0;
        quint64 revision = 0;
    };

    BinaryTextView() = default;
    BinaryTextView(const BinaryTextView &) = delete;
    BinaryTextView &operator=(const BinaryTextView &) = delete;
    virtual ~BinaryTextView() = default;

    // The code offset at a point, in view or not.
    [[nodiscard]] virtual qsizetype offsetAt(QPoint point) const = 0;
    // The x of the caret standing at `offset` on `line`.
    [[nodiscard]] virtual qreal xAt(qsizetype line, qsizetype offset) const = 0;
    [[nodiscard]] virtual QRect visibleRect() const = 0;
    // A line's top, and the view's top, from the top of the paragraph that
    // the view starts in: what paging measures with.
    [[nodiscard]] virtual qreal contentTop(qsizetype line) const = 0;
    [[nodiscard]] virtual qreal viewTop() const = 0;

    virtual void ensureCaretVisible() = 0;
    // Scrolls a page down (direction > 0) or up. With the text's end (or
    // start) in view already it stays, and returns the y, from the view's
    // top, that the caret must reach: past the last (or the first) line.
    virtual std::optional<qreal> scrollPage(int direction) = 0;
    // Scrolls one line up (direction < 0) or down, as a drag past the edge does.
    virtual void scrollStep(int direction) = 0;

    // The codes changed: the scroll range and the lines in view follow.
    virtual void relayout() = 0;
    virtual void repaint() = 0;
    // The caret shows at once, and blinks from there.
    virtual void restartBlinking() = 0;
    // The caret or the selection moved from `before`.
    virtual void caretMoved(const CaretState &before) = 0;
    // Codes were exchanged, as screen readers hear of it.
    virtual void textExchanged(const TextExchange &exchange) = 0;
    // A text too long to hold was refused.
    virtual void showRefused() = 0;
};

} // namespace vantrel
