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

class BinaryTextControl;
class BinaryTextDrops;
struct TextExchange;

class BinaryTextMouse : public QObject
{
public:
    BinaryTextMouse(BinaryTextControl &control, BinaryTextDrops &drops);

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
    // What a double or a triple click selected, with the caret's column then:
    // Qt's editors keep a copy of their text cursor, which brings that
    // column back when it is selected again.
    struct Clicked
    {
        Range range;
        qreal column = 0;
        [[nodiscard]] bool selects() const { return range.first != range.second; }
    };

    void releaseButton(const QMouseEvent &event, QPoint point);
    void placeCaret(qsizetype offset);
    void extendTo(qsizetype offset, int x);
    [[nodiscard]] Clicked clicked(Range range) const;
    bool reselects(const Clicked &clicked, qsizetype offset);
    void extendByWords(qsizetype offset, int x);
    void extendByParagraphs(qsizetype offset);
    void selectParagraphAtCaret();
    void pointerAt(QPoint point);
    void autoScroll();

    BinaryTextControl &m_control;
    BinaryTextDrops &m_drops;
    QBasicTimer m_autoScrollTimer;
    QPoint m_lastPoint;
    bool m_selecting = false; // the left button went down and selects
    bool m_dragCandidate = false;
    QPoint m_pressPoint;
    // A press soon after a double click at the same place selects the paragraph.
    QBasicTimer m_tripleClickTimer;
    QPoint m_doubleClickPoint;
    // Until a plain click.
    std::optional<Clicked> m_word;
    std::optional<Clicked> m_paragraph;
};

} // namespace vantrel
