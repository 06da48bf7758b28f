// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace vantrel::app {

// Picks the window system before QApplication exists. A Wayland client cannot
// place its own windows, and ours open centred and the table rises; so where
// an X server is at hand (XWayland in a Wayland session) the program runs on
// it, and on Wayland only when there is none. QT_QPA_PLATFORM and -platform
// still choose as the user says.
void preferPlaceableWindows();

// What the application sets once, before its first window: its name, icon
// and desktop id, the widget style, and Qt's own standard texts (context
// menus, standard buttons) in Spanish whatever the user's locale.
void setUpApplication(QApplication &application);

} // namespace vantrel::app
