// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class QInputMethodEvent;
class QKeyEvent;

// Turns the keys and the input method's text that reach a binary text field
// into moves of its caret and edits of its model, through the field's
// controller, as QPlainTextEdit turns them on this platform.
namespace vantrel {

class BinaryTextControl;

class BinaryTextKeys
{
public:
    explicit BinaryTextKeys(BinaryTextControl &control) : m_control(control) {}

    // Whether the field takes the key itself, before the window's shortcuts.
    [[nodiscard]] bool overridesShortcut(const QKeyEvent &event) const;
    // Handles the key; false when the field does not use it.
    bool keyPress(const QKeyEvent &event);
    void inputMethod(const QInputMethodEvent &event);

private:
    bool moveKey(const QKeyEvent &event);
    bool editKey(const QKeyEvent &event);
    bool deletionKey(const QKeyEvent &event);

    BinaryTextControl &m_control;
};

} // namespace vantrel
