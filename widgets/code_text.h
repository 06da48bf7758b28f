// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Between the fields' Unicode texts and the code texts of the conversions.
namespace vantrel {

[[nodiscard]] std::string toCodeText(const QString &text);
[[nodiscard]] QString fromCodeText(std::string_view codeText);

} // namespace vantrel
