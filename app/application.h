// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "program_state.h"

namespace vantrel {
class frmAscii;
class frmAsciiColl;
class frmInicio;
} // namespace vantrel

// The application above the windows: the one instance of each window, and
// the navigation between them that the windows ask for. A window that was
// closed is created afresh (and loads again) the next time it is asked for.
namespace vantrel::app {

// The existing converter window, or nullptr.
[[nodiscard]] frmAscii *existingConverterWindow();

// The existing window, created (not shown) when there is none.
frmAscii &converterWindow();
frmAsciiColl &asciiTableWindow();
frmInicio &startupWindow();

// Shows the ASCII table window as an ordinary window: created and loaded
// when there is none (with the missing-font box when its load failed),
// restored and brought to the front when it is open.
void openAsciiTableWindow();
// Unloads the open ASCII table window and opens a fresh one.
void reopenAsciiTableWindow();

} // namespace vantrel::app
