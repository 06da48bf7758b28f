// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit_history.h"

#include "qt_editor_rules.h"

namespace vantrel {

void EditHistory::record(Edit edit)
{
    m_edits.resize(m_done);
    if (!m_edits.empty() && mergeInto(m_edits.back(), edit)) {
        return;
    }
    m_edits.push_back(std::move(edit));
    m_done = m_edits.size();
}

void EditHistory::clear()
{
    m_edits.clear();
    m_edits.shrink_to_fit();
    m_done = 0;
}

Edit *EditHistory::undoStep()
{
    return canUndo() ? &m_edits[--m_done] : nullptr;
}

Edit *EditHistory::redoStep()
{
    return canRedo() ? &m_edits[m_done++] : nullptr;
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
    if (edit.joinsPrevious || !qteditor::mayJoinUndoStep(last.kind, edit.kind)) {
        return false;
    }
    if (edit.kind == EditKind::Typing) {
        const bool follows = !edit.putsLineBreak && !last.endsLine && edit.away.empty() &&
                             last.presentOrigin >= 0 &&
                             edit.position == last.position + last.presentLength &&
                             edit.presentOrigin == last.presentOrigin + last.presentLength;
        if (follows) {
            last.presentLength += edit.presentLength;
        }
        return follows;
    }
    // Removals by key, each of codes only: a line break taken stands apart.
    const auto removalOrigin = [](const Edit &removal) -> std::optional<qint64> {
        const bool codesOnly = removal.presentLength == 0 && !removal.takesLineBreak;
        return codesOnly ? CodeOrigins::contiguousStart(removal.awayOrigins) : std::nullopt;
    };
    const std::optional<qint64> lastOrigin = removalOrigin(last);
    const std::optional<qint64> editOrigin = removalOrigin(edit);
    if (!lastOrigin || !editOrigin) {
        return false;
    }
    const auto lastLength = qsizetype(last.away.size());
    const auto editLength = qsizetype(edit.away.size());
    if (edit.position == last.position && *lastOrigin + lastLength == *editOrigin) {
        last.away += edit.away; // on forward, as Delete does
        CodeOrigins::append(last.awayOrigins, edit.awayOrigins);
        return true;
    }
    if (edit.position + editLength == last.position && *editOrigin + editLength == *lastOrigin) {
        last.away.insert(0, edit.away); // on back, as Backspace does
        CodeOrigins::prepend(last.awayOrigins, edit.awayOrigins);
        last.position = edit.position;
        return true;
    }
    return false;
}

} // namespace vantrel
