// SPDX-License-Identifier: GPL-3.0-or-later
#include "parallel_decoding.h"

#include "hex_conversion.h"

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

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

// The parts: the first one also holds the partial group at the start, which
// it ignores as the whole message would; the others are whole groups.
std::vector<std::string_view> partsOf(std::string_view binary, std::size_t width, std::size_t count)
{
    const std::size_t partial = binary.size() % width;
    const std::size_t groupsPerPart = (binary.size() / width) / count;
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t part = 0; part + 1 < count; ++part) {
        const std::size_t end = partial + (part + 1) * groupsPerPart * width;
        parts.push_back(binary.substr(start, end - start));
        start = end;
    }
    parts.push_back(binary.substr(start));
    return parts;
}

// Runs `convert` on each part, the first one here and the others on threads
// of their own.
template <typename Result, typename Convert>
std::vector<Result> convertParts(const std::vector<std::string_view> &parts, Convert convert)
{
    std::vector<Result> converted(parts.size());
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        helpers.emplace_back([&, i] { converted[i] = convert(parts[i]); });
    }
    converted[0] = convert(parts[0]);
    return converted;
}

} // namespace

DecodedParts decodeInParallel(std::string_view binaryMessage, BitMode mode)
{
    const auto width = static_cast<std::size_t>(mode);
    const std::vector<std::string_view> parts =
        partsOf(binaryMessage, width, partCount(binaryMessage.size()));
    std::vector<DecodedMessage> decoded = convertParts<DecodedMessage>(
        parts, [mode](std::string_view part) { return hexaText(part, mode); });
    for (DecodedMessage &part : decoded) {
        if (!part.valid) {
            return {false, {std::move(part.message)}};
        }
    }
    // The message ends at the first zero group: in the first part that
    // decodes to fewer characters than it has whole groups.
    DecodedParts whole{true, {}};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        whole.message.push_back(std::move(decoded[i].message));
        if (whole.message.back().size() < parts[i].size() / width) {
            break;
        }
    }
    return whole;
}

std::optional<std::vector<std::string>> hexInParallel(std::string_view binary)
{
    constexpr std::size_t kGroup = 4;
    const std::vector<std::string_view> parts = partsOf(binary, kGroup, partCount(binary.size()));
    std::vector<std::optional<std::string>> converted =
        convertParts<std::optional<std::string>>(parts, binaryToHex);
    std::vector<std::string> hex;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!converted[i]) {
            return std::nullopt;
        }
        std::string &digits = *converted[i];
        if (i > 0) {
            // A later part's zeros lead only within it: put them back.
            digits.insert(0, parts[i].size() / kGroup - digits.size(), '0');
        }
        hex.push_back(std::move(digits));
    }
    // The whole number's leading zeros may run on past the first part.
    std::size_t first = 0;
    while (first + 1 < hex.size() && hex[first].find_first_not_of('0') == std::string::npos) {
        ++first;
    }
    hex.erase(hex.begin(), hex.begin() + std::ptrdiff_t(first));
    if (first > 0) {
        const std::size_t nonZero = hex.front().find_first_not_of('0');
        hex.front().erase(0, nonZero == std::string::npos ? hex.front().size() - 1 : nonZero);
    }
    return hex;
}

} // namespace vantrel::cli
