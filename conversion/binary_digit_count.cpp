// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_digit_count.h"

#include "binary_digits.h"
#include "conversion_paths.h"
#include "vector_kernels.h"

namespace vantrel {
namespace {

constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;

// A word at a time: each byte that is not a digit sets its top bit, without
// a carry into the next byte, and a multiplication adds up those bits.
std::size_t countInWords(std::string_view text)
{
    const char *p = text.data();
    std::size_t left = text.size();
    std::size_t count = 0;
    for (; left >= 8; p += 8, left -= 8) {
        const std::uint64_t bad = detail::nonBinaryBytes(detail::loadBytes(p));
        const std::uint64_t flags =
            (((bad & kLowSevenBits) + kLowSevenBits) | bad) & ~kLowSevenBits;
        count += std::size_t(((flags >> 7) * detail::kEachByte) >> 56);
    }
    for (; left > 0; ++p, --left) {
        count += (*p != '0' && *p != '1') ? 1 : 0;
    }
    return count;
}

// The vector kernel skips runs of digits, the bulk of a binary text; what
// follows the end of a run is counted a slice at a time, so a text with no
// digits at all costs no more than a word loop.
constexpr std::size_t kSlice = 4096;

} // namespace

std::size_t nonBinaryDigitCount(std::string_view text)
{
    const detail::VectorKernels *kernels = detail::kernelsFor(detail::fastestPath());
    if (kernels == nullptr) {
        return countInWords(text);
    }
    std::size_t count = 0;
    while (!text.empty()) {
        text.remove_prefix(kernels->binaryDigitRun(text.data(), text.size()));
        const std::string_view slice = text.substr(0, kSlice);
        count += countInWords(slice);
        text.remove_prefix(slice.size());
    }
    return count;
}

} // namespace vantrel
