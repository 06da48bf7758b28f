#pragma once

#include <QString>

class QIcon;

namespace vantrel {
class frmAscii;
class frmInicio;
} // namespace vantrel

// What the whole application shares: its title, the table font name, and the
// one instance of each window. A window that was closed is created afresh
// (and loads again) the next time it is asked for.
namespace vantrel::app {

[[nodiscard]] QString applicationTitle();
[[nodiscard]] QIcon applicationIcon();

// The font of the ASCII table's columns; outlives every window.
[[nodiscard]] QString tableFontName();
void setTableFontName(const QString &name);

// The existing window, or nullptr.
[[nodiscard]] frmAscii *existingConverterWindow();
[[nodiscard]] frmInicio *existingStartupWindow();

// The existing window, created (not shown) when there is none.
frmAscii &converterWindow();
frmInicio &startupWindow();

// Ends the process at once: no window shows and no handler runs after it.
void endProcess();

} // namespace vantrel::app
