// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QIcon;

// What every window of the program shares and no window owns: the program's
// title, icon and version, and the font name of the ASCII table, which
// outlives every window.
namespace vantrel::app {

[[nodiscard]] QString applicationTitle();
[[nodiscard]] QIcon applicationIcon();

struct Version
{
    int major;
    int minor;
    int revision;
};
// The program's version, as the build system gives it.
[[nodiscard]] Version version();

// The font of the ASCII table's columns.
[[nodiscard]] QString tableFontName();
void setTableFontName(const QString &name);

// Ends the process at once: no window shows and no handler runs after it.
void endProcess();

} // namespace vantrel::app
