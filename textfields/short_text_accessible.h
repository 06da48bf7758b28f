// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Screen readers reach the line fields and text areas through an accessible
// text of the program's own, not Qt's: Qt 6.4's answer to a word query at
// the end of a line edit's text never returns. These fields hold a few
// thousand characters at most, so each query reads their whole text.
namespace vantrel::accessibility {

// Installed by the first line field or text area made; idempotent.
void installShortTextFieldFactory();

} // namespace vantrel::accessibility
