// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edit_history.h"

#include <QtGlobal>

// The rules of QPlainTextEdit (with the QTextDocument, QTextCursor and
// QTextLayout beneath it) that the binary text field copies, each a small
// pure function that the model, the keys and the mouse share. The field
// behaves as QPlainTextEdit of Qt 6.4.2 does, input for input: the random
// user of tests/binaryfield/binary_field_parity_test.cpp shows it against that
// version; another may move a rule.
namespace vantrel::qteditor {

// Where a point lands between codes of equal advance laid from 0: after
// each code whose middle it passed, so a point halfway over a code is still
// before it.
[[nodiscard]] qsizetype codesPassed(qreal x, qreal advance);

// Whether a point `x` into a tab of `advance` lands after it. Qt lays a tab
// out as an object, which a point from its middle on lands after, halves
// taken in its 26.6 fixed point: unlike a character, a tab's exact middle is
// after it.
[[nodiscard]] bool passesTab(qreal x, qreal advance);

// Tab stops lie every kTabStop pixels from a line's start, as Qt's text
// layout sets them by default.
inline constexpr qreal kTabStop = 80;

// The advance of a tab that stands `x` from its line's start: to the next
// tab stop. Qt divides in its 26.6 fixed point, which rounds: a tab within
// 1/128 of a stop goes on to the stop after it.
[[nodiscard]] qreal tabAdvance(qreal x);

// The marks that end a word in word moves and double clicks, as white space
// does, though a run of them is a word of its own.
[[nodiscard]] bool isWordSeparator(unsigned char code);

// A deleting key with no selection takes the codes between the caret and
// where its move leads. Backspace and Delete send Qt's anchor there, the
// word and line deletions its cursor. Whether the cursor then stands at
// the start of the codes taken decides whether undoing puts them back after
// the cursors standing there, and whether QPlainTextEdit hears that its
// cursor moved (which makes it forget where paging began).
[[nodiscard]] constexpr bool takesWithCursorAtStart(bool movesCursor, bool forward)
{
    return movesCursor != forward;
}

// Whether QTextDocument may join an edit of kind `next` to the undo step of
// the edit before, when the two continue each other in the text and in the
// order their codes came: typed text joins typed or pasted text, and a
// Backspace or a Delete joins another. Qt's single commands join; an edit
// block (a paste, anything that replaces a selection, a line break) is a
// step of its own, though typing after it still extends its last insertion.
[[nodiscard]] bool mayJoinUndoStep(EditKind last, EditKind next);

// Dragging the mouse out of the view scrolls it after a moment, then a line
// at a time, faster the farther the pointer is from the view.
inline constexpr int kFirstAutoScrollMs = 100;
[[nodiscard]] int autoScrollInterval(int distance);

} // namespace vantrel::qteditor
