// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

// How the program's windows and the frames inside them meet a screen reader.
namespace vantrel::accessibility {

// A top-level window of the program: a window (an AT-SPI frame), named by its
// title and active while it has the focus, so a screen reader takes the
// focus moves inside it as the user's.
void makeWindow(QWidget *window);

// A frame inside a window: a panel, never a window of its own, showing only
// while some of it can be seen.
void makePanel(QWidget *frame);

// A widget that a screen reader reads out, by its accessible name, each time
// it is shown: an announcement the program makes without moving the focus.
void makeNotification(QWidget *widget);

// A widget's description, its tooltip where it has none of its own, left
// out where it only says the name again: a screen reader would read it twice.
[[nodiscard]] QString descriptionBeyondName(const QWidget *widget);

// Whether any part of a widget can be seen on the screen: shown, and not
// clipped away by a frame it has slid out of.
[[nodiscard]] bool seenOnScreen(const QWidget *widget);

} // namespace vantrel::accessibility
