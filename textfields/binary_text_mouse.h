// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <optional>
#include <utility>

class QMouseEvent;

// The mouse in a binary text field, as in QPlainTextEdit: a click places the
// caret (Shift extends the selection), a drag selects and scrolls the view
// faster the farther it goes, a double click selects a word and a third
// click the paragraph (Shift and a drag then extend by words or
// paragraphs), a press into the selection starts a drag, and the middle
// button pastes the X11 primary selection.
namespace vantrel {

class BinaryTextEdit;
struct TextExchange;

class BinaryTextMouse : public QObject
{
public:
    explicit BinaryTextMouse(BinaryTextEdit &field);

    void press(const QMouseEvent &event);
    void move(const QMouseEvent &event);
    void release(const QMouseEvent &event);
    void doubleClick(const QMouseEvent &event);
    // Keeps the remembered word and paragraph on the same codes.
    void follow(const TextExchange &exchange);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    using Range = std::pair<qsizetype, qsizetype>; // anchor, caret

    void releaseButton(const QMouseEvent &event, QPoint point);
    void placeCaret(qsizetype offset);
    void extendTo(qsizetype offset, int x);
    bool reselects(const Range &range, qsizetype offset);
    void extendByWords(qsizetype offset, int x);
    void extendByParagraphs(qsizetype offset);
    void selectParagraphAtCaret();
    void pointerAt(QPoint point);
    void autoScroll();

    BinaryTextEdit &m_field;
    QBasicTimer m_autoScrollTimer;
    QPoint m_lastPoint;
    bool m_selecting = false; // the left button went down and selects
    bool m_dragCandidate = false;
    QPoint m_pressPoint;
    // A press soon after a double click at the same place selects the paragraph.
    QBasicTimer m_tripleClickTimer;
    QPoint m_doubleClickPoint;
    // What a double or a triple click selected, until a plain click.
    std::optional<Range> m_word;
    std::optional<Range> m_paragraph;
};

} // namespace vantrel
