// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace vantrel {

// The characters of a text that are not "0" or "1". A binary text is valid
// for every conversion that reads one when it has none, so a field that keeps
// this count through its edits knows its validity without reading its text
// again; only a whole new text is counted here.
[[nodiscard]] std::size_t nonBinaryDigitCount(std::string_view text);

} // namespace vantrel
