// SPDX-License-Identifier: GPL-3.0-or-later
#include "parallel_decoding.h"

#include <algorithm>

namespace vantrel::cli {
namespace {

// Below this a part is not worth a thread.
constexpr std::size_t kSmallestPart = std::size_t{4} << 20;
constexpr std::size_t kMostParts = 8;

std::size_t partCount(std::size_t length)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(length / kSmallestPart, 1, std::min(cores, kMostParts));
}

} // namespace

std::vector<std::string_view> partsForCores(std::string_view binary, std::size_t groupWidth)
{
    const std::size_t count = partCount(binary.size());
    const std::size_t partial = binary.size() % groupWidth;
    const std::size_t groupsPerPart = (binary.size() / groupWidth) / count;
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t part = 0; part + 1 < count; ++part) {
        const std::size_t end = partial + (part + 1) * groupsPerPart * groupWidth;
        parts.push_back(binary.substr(start, end - start));
        start = end;
    }
    parts.push_back(binary.substr(start));
    return parts;
}

} // namespace vantrel::cli
