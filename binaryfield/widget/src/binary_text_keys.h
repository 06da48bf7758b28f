// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;

// Turns the keys and the input method's text that reach a binary text field
// into moves of its caret and edits of its model, as QPlainTextEdit turns
// them on this platform.
namespace vantrel {

class BinaryTextEdit;

class BinaryTextKeys
{
public:
    explicit BinaryTextKeys(BinaryTextEdit &field) : m_field(field) {}

    // Whether the field takes the key itself, before the window's shortcuts.
    [[nodiscard]] bool overridesShortcut(const QKeyEvent &event) const;
    // Handles the key; false when the field does not use it.
    bool keyPress(const QKeyEvent &event);
    void inputMethod(const QInputMethodEvent &event);

private:
    bool moveKey(const QKeyEvent &event);
    qsizetype pageMoved(qsizetype caret, int direction, qreal x);
    std::optional<qreal> scrollPageDown();
    std::optional<qreal> scrollPageUp();
    bool editKey(const QKeyEvent &event);
    bool deletionKey(const QKeyEvent &event);

    BinaryTextEdit &m_field;
};

} // namespace vantrel
