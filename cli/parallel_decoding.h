// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <thread>
#include <vector>

namespace vantrel::cli {

// A binary text cut into parts for the processor's cores, on group boundaries
// counted from its end, so that each part converts as its groups do within
// the whole: the first part also holds the partial group at the start. A
// short text is one part.
[[nodiscard]] std::vector<std::string_view> partsForCores(std::string_view binary,
                                                          std::size_t groupWidth);

// convert(part) for every part, the first one here and the others on threads
// of their own.
template <typename Convert>
[[nodiscard]] auto convertInParallel(const std::vector<std::string_view> &parts, Convert convert)
{
    std::vector<decltype(convert(parts.front()))> converted(parts.size());
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        helpers.emplace_back([&, i] { converted[i] = convert(parts[i]); });
    }
    converted[0] = convert(parts[0]);
    helpers.clear();
    return converted;
}

} // namespace vantrel::cli
