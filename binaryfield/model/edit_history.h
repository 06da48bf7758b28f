// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "code_origins.h"

#include <QtGlobal>
#include <string>
#include <vector>

// The undo and redo stacks of a code text. An edit is kept as the range it
// left in the text and the codes it took out; undoing and redoing are then
// one operation, an exchange of the two, so each edit holds at any time
// only the codes that are not in the text.
namespace vantrel {

enum class EditKind {
    Other,
    Typing,          // typed text: a run of it merges into one edit
    Pasting,         // pasted text: typing right after it merges into it
    DeletingBack,    // Backspace
    DeletingForward, // Delete
    BreakingLine,    // Enter
    // The step Qt's editors take before Enter in an empty paragraph: it
    // sets the paragraph's format and changes no code
    FormattingParagraph,
};

struct Edit
{
    qsizetype position = 0;
    qsizetype presentLength = 0; // codes now in the text at position
    std::string away;            // codes the edit took out of the text
    OriginRuns awayOrigins;      // where those codes first came in
    qint64 presentOrigin = -1;   // where the codes now in first came in, in one run
    EditKind kind = EditKind::Other;
    bool joinsPrevious = false;  // undone and redone together with the one before
    bool putsLineBreak = false;  // the codes it put in hold a line break
    bool endsLine = false;       // the codes it put in end with a line break
    bool takesLineBreak = false; // the codes it took out hold a line break
    bool takenBackward = false;  // taken with the caret at their start (as Delete does)
};

class EditHistory
{
public:
    // Records a done edit, dropping what could be redone. Where Qt's
    // editors may join it to the last edit done (qteditor::mayJoinUndoStep),
    // typing goes on in that one when it starts where that one's codes end,
    // in the text and in their origins; a Backspace or a Delete joins the
    // one before it likewise when the codes they took out touch in both; a
    // line break is always a step of its own.
    void record(Edit edit);
    void clear();

    [[nodiscard]] bool canUndo() const { return m_done > 0; }
    [[nodiscard]] bool canRedo() const { return m_done < m_edits.size(); }
    // The edit to exchange to undo or redo one step, or nullptr. The caller
    // exchanges it, then asks whether the step goes on.
    [[nodiscard]] Edit *undoStep();
    [[nodiscard]] Edit *redoStep();
    [[nodiscard]] bool undoGoesOn() const;
    [[nodiscard]] bool redoGoesOn() const;

private:
    [[nodiscard]] bool mergeInto(Edit &last, Edit &edit) const;

    std::vector<Edit> m_edits;
    std::size_t m_done = 0;
};

} // namespace vantrel
