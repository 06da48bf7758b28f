// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace vantrel::testing {

// Types text as a keyboard would, one key event per character, including
// characters that have no key of their own (é, €, 中, emoji).
void typeText(QWidget *field, const QString &text);

// Gives a field the keyboard focus and waits until it has it.
[[nodiscard]] bool giveFocus(QWidget *field);

} // namespace vantrel::testing
