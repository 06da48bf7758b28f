// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vantrel {
class ClickableLabel;
}

// The tab strip's labels are drawn as plain labels; screen readers should
// meet them as page tabs, named by their captions, that can be pressed.
namespace vantrel::accessibility {

// Call before the label is first asked for its accessible interface.
void makePageTab(ClickableLabel *label);
// Marks the tab that is chosen, and tells screen readers when that changes.
void setPageTabSelected(ClickableLabel *label, bool selected);

} // namespace vantrel::accessibility
