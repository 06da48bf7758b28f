// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

class QKeyEvent;

namespace vantrel {
class TextField;
}

// Wires a text field's events to a window's handlers: the field received the
// focus, its text changed (by the user or by a program write, synchronously
// inside the write), and a character was typed. The key handler gets the
// typed character's 8-bit code (Enter 13, Backspace 8, Escape 27, a character
// outside the set 63) and swallows the key by setting the code to 0.
//
// Receiving the focus means a focus move inside the program: the field that
// gets the focus back when its window is re-activated, or when a context menu
// closes, does not receive it again. The first focus a window gives a field
// when it opens does count.
//
// Characters composed by an input method (a dead key then a letter) reach the
// key handler one at a time, as typed characters do.
namespace vantrel::fields {

struct FieldHandlers
{
    std::function<void()> gotFocus;
    std::function<void()> change;
    std::function<void(int &keyAscii)> keyPress;
    // Text pasted or dropped into the field reaches the key handler one
    // character at a time, as if it had been typed (line edits only).
    bool pasteAsTyping = false;
};

void connect(TextField *field, FieldHandlers handlers);

// The 8-bit code of the character a key event types, if it types one. Keys
// that type nothing (arrows, Delete), focus keys (Tab) and Ctrl shortcuts
// (copy, paste) give none and are left to the field.
[[nodiscard]] std::optional<int> typedCharacterCode(const QKeyEvent &event);

} // namespace vantrel::fields
