#pragma once

#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;

namespace vantrel {
class BinaryTextEdit;
}

// Wires a text field's events to a window's handlers: the field received the
// focus, its text changed (by the user or by a program write, synchronously
// inside the write), and a character was typed. The key handler gets the
// typed character's 8-bit code (Enter 13, Backspace 8, Escape 27, a character
// outside the set 63) and swallows the key by setting the code to 0.
namespace vantrel::fields {

struct FieldHandlers
{
    std::function<void()> gotFocus;
    std::function<void()> change;
    std::function<void(int &keyAscii)> keyPress;
};

void connect(QLineEdit *field, FieldHandlers handlers);
void connect(QPlainTextEdit *field, FieldHandlers handlers);
void connect(BinaryTextEdit *field, FieldHandlers handlers);

// The 8-bit code of the character a key event types, if it types one. Keys
// that type nothing (arrows, Delete), focus keys (Tab) and Ctrl shortcuts
// (copy, paste) give none and are left to the field.
[[nodiscard]] std::optional<int> typedCharacterCode(const QKeyEvent &event);

} // namespace vantrel::fields
