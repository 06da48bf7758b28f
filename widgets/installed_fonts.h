// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vantrel {

// The installed family that draws a font name: the family of that name, in
// any case, or, for a name that a metric-compatible family stands in for
// (Arial: Liberation Sans or Arimo; Calibri: Carlito), the first of those that
// is installed. Empty for any other name: generic names ("serif"), blank
// names, and names that fontconfig would only substitute with some face.
[[nodiscard]] QString installedFamily(const QString &name);

[[nodiscard]] inline bool fontInstalled(const QString &name)
{
    return !installedFamily(name).isEmpty();
}

} // namespace vantrel
