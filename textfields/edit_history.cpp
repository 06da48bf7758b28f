// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit_history.h"

namespace vantrel {

void EditHistory::record(Edit edit)
{
    m_edits.resize(m_done);
    if (m_mergeable && !m_edits.empty() && mergeInto(m_edits.back(), edit)) {
        return;
    }
    m_edits.push_back(std::move(edit));
    m_done = m_edits.size();
    m_mergeable = true;
}

void EditHistory::clear()
{
    m_edits.clear();
    m_edits.shrink_to_fit();
    m_done = 0;
    m_mergeable = false;
}

// A step taken ends the merging; undo or redo with nothing to do leaves it.
Edit *EditHistory::undoStep()
{
    if (!canUndo()) {
        return nullptr;
    }
    m_mergeable = false;
    return &m_edits[--m_done];
}

Edit *EditHistory::redoStep()
{
    if (!canRedo()) {
        return nullptr;
    }
    m_mergeable = false;
    return &m_edits[m_done++];
}

bool EditHistory::undoGoesOn() const
{
    return canUndo() && m_edits[m_done].joinsPrevious;
}

bool EditHistory::redoGoesOn() const
{
    return canRedo() && m_edits[m_done].joinsPrevious;
}

bool EditHistory::mergeInto(Edit &last, Edit &edit) const
{
    if (edit.joinsPrevious) {
        return false;
    }
    const bool typing = edit.kind == EditKind::Typing &&
                        (last.kind == EditKind::Typing || last.kind == EditKind::Pasting) &&
                        !edit.putsLineBreak && !last.endsLine;
    if (typing) {
        if (edit.away.empty() && edit.position == last.position + last.presentLength) {
            last.presentLength += edit.presentLength;
            return true;
        }
        return false;
    }
    const auto isKeyRemoval = [](const Edit &removal) {
        return (removal.kind == EditKind::DeletingBack ||
                removal.kind == EditKind::DeletingForward) &&
               removal.presentLength == 0 && !removal.takesLineBreak;
    };
    const bool removals = isKeyRemoval(edit) && isKeyRemoval(last);
    if (removals && edit.position == last.position) { // Delete after Delete
        last.away += edit.away;
        return true;
    }
    if (removals && edit.position + qsizetype(edit.away.size()) == last.position) {
        last.away.insert(0, edit.away); // Backspace after Backspace
        last.position = edit.position;
        return true;
    }
    return false;
}

} // namespace vantrel
