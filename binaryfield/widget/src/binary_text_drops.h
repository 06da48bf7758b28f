// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class QDragMoveEvent;
class QDropEvent;

// Drag and drop in a binary text field: the selection dragged out (moved,
// or copied when the target asks for a copy), and text dropped in at the
// place the drop caret shows; a drag within the field moves its codes.
namespace vantrel {

class BinaryTextControl;

class BinaryTextDrops
{
public:
    explicit BinaryTextDrops(BinaryTextControl &control) : m_control(control) {}

    // Whether the dragged codes were dropped somewhere.
    bool startDrag();
    void enter(QDragMoveEvent &event);
    void leave();
    void drop(QDropEvent &event);

private:
    [[nodiscard]] bool accepts(const QDropEvent &event) const;

    BinaryTextControl &m_control;
    qsizetype m_sourceStart = -1; // the selection dragged out, while dragging
    qsizetype m_sourceEnd = -1;
    bool m_movedWithinField = false;
};

} // namespace vantrel
