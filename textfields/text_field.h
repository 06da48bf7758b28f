// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>

class QObject;

// What the windows ask of any of their text fields, whatever its kind: a
// line, a text area, or a binary field of any length.
namespace vantrel {

class TextField
{
public:
    TextField() = default;
    TextField(const TextField &) = delete;
    TextField &operator=(const TextField &) = delete;
    virtual ~TextField() = default;

    // Calls `changed`, for as long as `context` lives, each time the field
    // signals a change of its text.
    virtual void onTextChanged(QObject *context, std::function<void()> changed) = 0;
    // Moves on with every real change of the text, and costs nothing to
    // read at any length: a change signal that leaves it was no change.
    [[nodiscard]] virtual quint64 textRevision() const = 0;
    // Puts the caret after the last character.
    virtual void moveCursorToEnd() = 0;
};

} // namespace vantrel
