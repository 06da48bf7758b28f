// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
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
    // Moves on with every real change of the text: a change signal that
    // leaves it was no change. A binary field counts its edits, so reading it
    // costs nothing at any length; the short fields (LineField, TextArea)
    // compare their text with the one last seen (ComparedRevision).
    [[nodiscard]] virtual quint64 textRevision() const = 0;
    // Puts the caret after the last character.
    virtual void moveCursorToEnd() = 0;
};

// A revision counted by comparing the text with the one last seen, for
// fields whose texts are short enough to compare.
class ComparedRevision
{
public:
    [[nodiscard]] quint64 of(QString text)
    {
        if (text != m_lastText) {
            m_lastText = std::move(text);
            ++m_revision;
        }
        return m_revision;
    }

private:
    QString m_lastText;
    quint64 m_revision = 0;
};

} // namespace vantrel
