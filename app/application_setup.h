// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace vantrel::app {

// What the application sets once, before its first window: its name, icon
// and desktop id, the widget style, and Qt's own standard texts (context
// menus, standard buttons) in Spanish whatever the user's locale.
void setUpApplication(QApplication &application);

} // namespace vantrel::app
