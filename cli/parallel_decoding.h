// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_conversion.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

struct DecodedParts
{
    bool valid = false;
    // The message in consecutive parts; the invalid-code marker alone when
    // not valid.
    std::vector<std::string> message;
};

// hexaText on every processor core at once: the binary message is cut on
// group boundaries counted from its end, so each part decodes as its groups
// do within the whole. A short message is decoded in one part.
[[nodiscard]] DecodedParts decodeInParallel(std::string_view binaryMessage, BitMode mode);

// binaryToHex on every processor core at once, cut on groups of four digits
// counted from the end: the hexadecimal digits in consecutive parts, the
// leading zeros of the whole left out; nothing when a character is not a
// binary digit.
[[nodiscard]] std::optional<std::vector<std::string>> hexInParallel(std::string_view binary);

} // namespace vantrel::cli
