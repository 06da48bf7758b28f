#pragma once

#include <QString>

class QIcon;

namespace vantrel {
class frmAscii;
class frmAsciiColl;
class frmInicio;
} // namespace vantrel

// What the whole application shares: its title, the table font name, and the
// one instance of each window. A window that was closed is created afresh
// (and loads again) the next time it is asked for.
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

// The font of the ASCII table's columns; outlives every window.
[[nodiscard]] QString tableFontName();
void setTableFontName(const QString &name);

// The existing window, or nullptr.
[[nodiscard]] frmAscii *existingConverterWindow();
[[nodiscard]] frmAsciiColl *existingAsciiTableWindow();

// The existing window, created (not shown) when there is none.
frmAscii &converterWindow();
frmAsciiColl &asciiTableWindow();
frmInicio &startupWindow();

// Shows the ASCII table window as an ordinary window: created and loaded
// when there is none (with the missing-font box when its load failed),
// only brought to the front when it is open.
void openAsciiTableWindow();
// Unloads the open ASCII table window and opens a fresh one.
void reopenAsciiTableWindow();

// Ends the process at once: no window shows and no handler runs after it.
void endProcess();

} // namespace vantrel::app
