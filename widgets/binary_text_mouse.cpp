// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_mouse.h"

#include "binary_text_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>

namespace vantrel {
namespace {

constexpr int kFirstAutoScrollMs = 100;

// Qt's editors: the farther the mouse from the view, the faster it scrolls.
int autoScrollInterval(int distance)
{
    const int delta = std::max(distance, 7);
    return 4900 / (delta * delta);
}

bool near(QPoint a, QPoint b)
{
    return (a - b).manhattanLength() < QApplication::startDragDistance();
}

} // namespace

BinaryTextMouse::BinaryTextMouse(BinaryTextEdit &field) : QObject(&field), m_field(field)
{}

void BinaryTextMouse::press(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    const qsizetype offset = m_field.offsetAt(point);
    if (m_tripleClickTimer.isActive() && near(point, m_doubleClickPoint)) {
        m_tripleClickTimer.stop();
        const auto [start, end] = m_field.m_model.paragraphAt(offset);
        m_field.select(start, end);
        return;
    }
    const bool extend = event.modifiers() & Qt::ShiftModifier;
    if (!extend && m_field.hasSelection() && offset >= m_field.selectionStart() &&
        offset <= m_field.selectionEnd()) {
        m_dragCandidate = true;
        m_dragStartPoint = point;
        return;
    }
    m_selecting = true;
    m_lastPoint = point;
    m_field.moveCaret(offset, extend);
    m_field.m_preferredX = -1;
}

void BinaryTextMouse::move(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    if (m_dragCandidate) {
        if (!near(point, m_dragStartPoint)) {
            m_dragCandidate = false;
            m_field.m_drops.startDrag();
        }
        return;
    }
    if (!m_selecting) {
        return;
    }
    // The caret follows the pointer at once, wherever it is; outside the
    // view, the view scrolls after a moment, then faster the farther it goes.
    m_lastPoint = point;
    m_field.moveCaret(m_field.offsetAt(point), true, false);
    if (point.y() < 0 || point.y() >= m_field.viewport()->height()) {
        if (!m_autoScrollTimer.isActive()) {
            m_autoScrollTimer.start(kFirstAutoScrollMs, this);
        }
    } else {
        m_autoScrollTimer.stop();
    }
}

void BinaryTextMouse::release(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    if (event.button() == Qt::MiddleButton) {
        // The primary selection, pasted where the button went up.
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (clipboard->supportsSelection()) {
            m_field.moveCaret(m_field.offsetAt(point), false);
            m_field.insertFromMimeData(clipboard->mimeData(QClipboard::Selection));
        }
        return;
    }
    if (m_dragCandidate) {
        m_dragCandidate = false; // a click into the selection
        m_field.moveCaret(m_field.offsetAt(point), false);
    }
    m_selecting = false;
    m_autoScrollTimer.stop();
    m_field.offerSelection();
}

void BinaryTextMouse::doubleClick(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    const auto [start, end] = m_field.m_model.wordAt(m_field.offsetAt(point));
    m_field.select(start, end, false);
    m_field.offerSelection();
    m_doubleClickPoint = point;
    m_tripleClickTimer.start(QApplication::doubleClickInterval(), this);
}

void BinaryTextMouse::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_autoScrollTimer.timerId()) {
        autoScroll();
    } else if (event->timerId() == m_tripleClickTimer.timerId()) {
        m_tripleClickTimer.stop();
    }
}

void BinaryTextMouse::autoScroll()
{
    const int y = m_lastPoint.y();
    const int height = m_field.viewport()->height();
    if (y >= 0 && y < height) {
        m_autoScrollTimer.stop();
        return;
    }
    QScrollBar *bar = m_field.verticalScrollBar();
    bar->setValue(bar->value() + (y < 0 ? -1 : 1));
    m_field.moveCaret(m_field.offsetAt(m_lastPoint), true, false);
    m_autoScrollTimer.start(autoScrollInterval(y < 0 ? -y : y - height + 1), this);
}

} // namespace vantrel
