// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace vantrel::testing {

// Types text as a keyboard would, one key event per character, including
// characters that have no key of their own (é, €, 中, emoji).
void typeText(QWidget *field, const QString &text);

// Gives a field the keyboard focus and waits until it has it and what its
// focus handling left for the event loop has run.
[[nodiscard]] bool giveFocus(QWidget *field);

// Clicks the middle of a field, as a user gives it the focus, and waits until
// it has it. False when something else shows there: the field is out of view.
[[nodiscard]] bool clickField(QWidget *field);

// Replaces a field's text as a user does: clicks it, selects everything with
// Ctrl+A and types the text over it, or presses Delete for no text.
[[nodiscard]] bool replaceText(QWidget *field, const QString &text);

// Clicks the converter's "M" when manual mode is not already as wanted. Off
// while the message panel shows, that raises a warning box to answer.
void setManualMode(const QWidget *converter, bool manual);

} // namespace vantrel::testing
