// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_drops.h"

#include "binary_text_control.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace vantrel {

bool BinaryTextDrops::startDrag()
{
    m_sourceStart = m_control.model().selectionStart();
    m_sourceEnd = m_control.model().selectionEnd();
    m_movedWithinField = false;
    auto *drag = new QDrag(&m_control.field());
    drag->setMimeData(m_control.createMimeDataFromSelection());
    const quint64 revisionBefore = m_control.model().revision();
    const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    // A text rewritten meanwhile (the drop's conversion) no longer holds
    // what was dragged out.
    if (done == Qt::MoveAction && !m_movedWithinField &&
        m_control.model().revision() == revisionBefore) {
        m_control.replace(m_sourceStart, m_sourceEnd, {}, EditKind::Other);
    }
    m_sourceStart = m_sourceEnd = -1;
    return done != Qt::IgnoreAction;
}

bool BinaryTextDrops::accepts(const QDropEvent &event) const
{
    return event.mimeData() && m_control.canInsertFromMimeData(event.mimeData());
}

void BinaryTextDrops::enter(QDragMoveEvent &event)
{
    if (!accepts(event)) {
        event.ignore();
        return;
    }
    m_control.showDropCaret(m_control.view().offsetAt(event.position().toPoint()));
    event.acceptProposedAction();
}

void BinaryTextDrops::leave()
{
    m_control.showDropCaret(-1);
}

void BinaryTextDrops::drop(QDropEvent &event)
{
    leave();
    if (!accepts(event)) {
        event.ignore();
        return;
    }
    const qsizetype at = m_control.view().offsetAt(event.position().toPoint());
    const bool fromHere = event.source() == &m_control.field() && m_sourceStart >= 0;
    if (fromHere && at >= m_sourceStart && at <= m_sourceEnd) {
        event.ignore(); // dropped onto itself
        return;
    }
    event.acceptProposedAction();
    if (fromHere && event.dropAction() == Qt::MoveAction) {
        m_movedWithinField = true;
        m_control.moveCodes(m_sourceStart, m_sourceEnd, at);
        return;
    }
    m_control.select(at, at);
    m_control.insertFromMimeData(event.mimeData());
}

} // namespace vantrel
