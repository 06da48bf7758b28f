// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPlainTextEdit;

namespace vantrel {
class BinaryTextEdit;
}

namespace vantrel::testing {

// Sets up Qt's editor as the binary field is set up, for side-by-side
// comparisons: its frame, its font as the field draws it (no kerning, no
// shaping), a vertical scroll bar always and no horizontal one, wrapping
// anywhere at the width, and Tab moving the focus. The geometry is the
// caller's.
void setUpLikeBinaryField(QPlainTextEdit &reference, const BinaryTextEdit &binary);

} // namespace vantrel::testing
