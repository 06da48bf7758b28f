// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vantrel {

// True when a font family of that name is installed, or when the system's
// font configuration maps the name to an installed family of its own (Arial
// to Liberation Sans, Calibri to Carlito). A name that only reaches the
// generic fallback font is not installed.
[[nodiscard]] bool fontInstalled(const QString &family);

} // namespace vantrel
