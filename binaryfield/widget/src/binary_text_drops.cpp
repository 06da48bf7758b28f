// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_drops.h"

#include "binary_text_edit.h"
#include "binary_text_model.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

namespace vantrel {

bool BinaryTextDrops::startDrag()
{
    m_sourceStart = m_field.selectionStart();
    m_sourceEnd = m_field.selectionEnd();
    m_movedWithinField = false;
    auto *drag = new QDrag(&m_field);
    drag->setMimeData(m_field.createMimeDataFromSelection());
    const quint64 revisionBefore = m_field.revision();
    const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    // A text rewritten meanwhile (the drop's conversion) no longer holds
    // what was dragged out.
    if (done == Qt::MoveAction && !m_movedWithinField && m_field.revision() == revisionBefore) {
        const qsizetype start = m_sourceStart;
        const qsizetype end = m_sourceEnd;
        m_field.edit([&] { return m_field.m_model->replace(start, end, {}); });
    }
    m_sourceStart = m_sourceEnd = -1;
    return done != Qt::IgnoreAction;
}

bool BinaryTextDrops::accepts(const QDropEvent &event) const
{
    return event.mimeData() && m_field.canInsertFromMimeData(event.mimeData());
}

void BinaryTextDrops::enter(QDragMoveEvent &event)
{
    if (!accepts(event)) {
        event.ignore();
        return;
    }
    m_dropCaret = m_field.offsetAt(event.position().toPoint());
    m_field.viewport()->update();
    event.acceptProposedAction();
}

void BinaryTextDrops::leave()
{
    m_dropCaret = -1;
    m_field.viewport()->update();
}

void BinaryTextDrops::drop(QDropEvent &event)
{
    leave();
    if (!accepts(event)) {
        event.ignore();
        return;
    }
    const qsizetype at = m_field.offsetAt(event.position().toPoint());
    const bool fromHere = event.source() == &m_field && m_sourceStart >= 0;
    if (fromHere && at >= m_sourceStart && at <= m_sourceEnd) {
        event.ignore(); // dropped onto itself
        return;
    }
    event.acceptProposedAction();
    if (fromHere && event.dropAction() == Qt::MoveAction) {
        m_movedWithinField = true;
        const qsizetype start = m_sourceStart;
        const qsizetype end = m_sourceEnd;
        m_field.edit([&] {
            m_field.m_model->move(start, end, at);
            return true;
        });
        return;
    }
    m_field.setCursorPosition(at);
    m_field.insertFromMimeData(event.mimeData());
}

} // namespace vantrel
