// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Screen readers reach a BinaryTextEdit's text through an accessible
// editable text, as they reach a QPlainTextEdit's. Offsets there count a
// line break as one character, as the plain text does.
namespace vantrel::accessibility {

// Installed once, as the application starts (binary_text_edit.cpp).
void installBinaryTextEditFactory();

} // namespace vantrel::accessibility
