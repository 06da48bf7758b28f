// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>

class QMouseEvent;

// The mouse in a binary text field, as in QPlainTextEdit: a click places the
// caret (Shift extends the selection), a drag selects and scrolls the view
// faster the farther it goes, a double click selects a word and a third the
// paragraph, a press into the selection starts a drag, and the middle button
// pastes the X11 primary selection.
namespace vantrel {

class BinaryTextEdit;

class BinaryTextMouse : public QObject
{
public:
    explicit BinaryTextMouse(BinaryTextEdit &field);

    void press(const QMouseEvent &event);
    void move(const QMouseEvent &event);
    void release(const QMouseEvent &event);
    void doubleClick(const QMouseEvent &event);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void autoScroll();

    BinaryTextEdit &m_field;
    QBasicTimer m_autoScrollTimer;
    QPoint m_lastPoint;
    bool m_selecting = false;
    bool m_dragCandidate = false;
    QPoint m_dragStartPoint;
    // A press soon after a double click at the same place selects the paragraph.
    QBasicTimer m_tripleClickTimer;
    QPoint m_doubleClickPoint;
};

} // namespace vantrel
