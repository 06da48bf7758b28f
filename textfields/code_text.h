// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Between the fields' Unicode texts and the code texts of the conversions.
namespace vantrel {

[[nodiscard]] std::string toCodeText(const QString &text);
[[nodiscard]] QString fromCodeText(std::string_view codeText);

// Whether a typed or pasted character breaks a line: CR, LF, or Unicode's
// line and paragraph separators. Every one of them is the pair CR LF in a
// field; a CR LF typed or pasted is one line break.
[[nodiscard]] constexpr bool isTypedLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == 0x2028 || c == 0x2029;
}

} // namespace vantrel
