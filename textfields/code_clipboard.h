// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QMimeData;

// What a copy, cut or drag from a field carries. The plain text holds each
// code's own character, for other programs; a format of the program's own
// holds the codes themselves, so that a paste or drop into any field of the
// program gives back exactly the same codes, a lone CR or LF included. Plain
// text from elsewhere follows the typed-text rules: every form of line break
// becomes CR LF and a character outside the set code 63.
namespace vantrel::codeclipboard {

inline constexpr char kCodesMimeType[] = "application/x-vantrel-codes";

// A new mime data object with the plain text and the codes of `codes`.
[[nodiscard]] QMimeData *mimeDataOf(std::string_view codes);

// The codes a mime data object carries in the program's own format, if any.
[[nodiscard]] std::optional<std::string> codesOf(const QMimeData &data);

} // namespace vantrel::codeclipboard
