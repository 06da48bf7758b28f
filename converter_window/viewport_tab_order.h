// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace vantrel {

// The panels slide behind one viewport; an element slid out of it is out of
// sight, and so out of reach of Tab and of a screen reader, until it is back.

// True when the element's centre lies within what the viewport shows.
[[nodiscard]] bool shownThrough(const QWidget *viewport, const QWidget *element);

// The element that Tab (forward) or Shift+Tab moves to from `from`, among those
// the viewport shows, following the window's tab order; nullptr when none.
[[nodiscard]] QWidget *nextTabStop(QWidget *from, bool forward, const QWidget *viewport);

} // namespace vantrel
