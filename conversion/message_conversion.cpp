// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_conversion.h"

#include "binary_digits.h"
#include "conversion_paths.h"
#include "readings.h"
#include "vector_kernels.h"
#include "written_string.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace vantrel {
namespace {

// The eight digits of every code, laid out as they are stored: first digit in
// the lowest byte. The 7-bit group of a code is the top seven of them.
constexpr std::array<std::uint64_t, 256> makeGroupTable()
{
    std::array<std::uint64_t, 256> table{};
    for (unsigned code = 0; code < 256; ++code) {
        const auto digits = eightDigitBinary(code);
        for (unsigned i = 0; i < 8; ++i) {
            table[code] |= std::uint64_t{static_cast<unsigned char>(digits[i])} << (8 * i);
        }
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> kEightDigitGroups = makeGroupTable();

constexpr std::array<std::uint64_t, 256> makeSevenDigitTable()
{
    std::array<std::uint64_t, 256> table{};
    for (unsigned code = 0; code < 256; ++code) {
        table[code] = kEightDigitGroups[code] >> 8;
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> kSevenDigitGroups = makeSevenDigitTable();

void encodeEightBit(std::string_view message, char *out)
{
    for (const char c : message) {
        detail::storeBytes(out, kEightDigitGroups[static_cast<unsigned char>(c)], 8);
        out += 8;
    }
}

void encodeSevenBit(std::string_view message, char *out)
{
    if (message.empty()) {
        return;
    }
    // Each group is stored as a full word whose eighth byte the next group
    // overwrites; the last group is stored in seven bytes.
    const auto group = [&message](std::size_t i) {
        return kSevenDigitGroups[static_cast<unsigned char>(message[i])];
    };
    const std::size_t last = message.size() - 1;
    std::size_t i = 0;
    for (; i + 4 <= last; i += 4, out += 28) {
        detail::storeBytes(out, group(i));
        detail::storeBytes(out + 7, group(i + 1));
        detail::storeBytes(out + 14, group(i + 2));
        detail::storeBytes(out + 21, group(i + 3));
    }
    for (; i < last; ++i, out += 7) {
        detail::storeBytes(out, group(i));
    }
    detail::storeBytes(out, group(last), 7);
}

// The kernels take the codes they can; the table loops write the rest.
std::string encode(std::string_view message, BitMode mode, const detail::VectorKernels *kernels)
{
    const auto width = static_cast<std::size_t>(mode);
    return detail::writtenString(message.size() * width, [&](char *binary) {
        std::size_t done = 0;
        if (kernels != nullptr) {
            const auto kernel =
                mode == BitMode::Seven ? kernels->encodeSevenBit : kernels->encodeEightBit;
            done = kernel(message.data(), message.size(), binary);
        }
        const std::string_view rest = message.substr(done);
        char *out = binary + done * width;
        if (mode == BitMode::Seven) {
            encodeSevenBit(rest, out);
        } else {
            encodeEightBit(rest, out);
        }
        return message.size() * width;
    });
}

// Decodes up to maxCodes groups, until the first zero group; the text holds
// only digits and starts with a whole group.
template <std::size_t Width, typename Pack>
std::string decodeGroups(std::string_view digits, std::size_t maxCodes, Pack pack)
{
    const std::size_t groups = std::min(digits.size() / Width, maxCodes);
    std::string message(groups, '\0');
    for (std::size_t g = 0; g < groups; ++g) {
        const std::uint8_t code = pack(detail::loadBytes(digits.data() + g * Width, Width));
        if (code == 0) {
            message.resize(g);
            break;
        }
        message[g] = static_cast<char>(code);
    }
    return message;
}

DecodedMessage invalidCode()
{
    return {false, std::string(kInvalidCodeMarker)};
}

DecodedMessage decodeScalar(std::string_view binaryMessage, BitMode mode, std::size_t maxCodes)
{
    if (!detail::allBinaryDigits(binaryMessage)) {
        return invalidCode();
    }
    const auto width = static_cast<std::size_t>(mode);
    const std::string_view wholeGroups = binaryMessage.substr(binaryMessage.size() % width);
    if (mode == BitMode::Seven) {
        return {true, decodeGroups<7>(wholeGroups, maxCodes, detail::packSevenDigits)};
    }
    return {true, decodeGroups<8>(wholeGroups, maxCodes, detail::packEightDigits)};
}

// Checks the digits while decoding them: every group that can show is
// decoded, and the message is cut at its first zero code afterwards. The
// digits that are not decoded are still checked.
DecodedMessage decodeWithKernels(std::string_view binaryMessage, BitMode mode, std::size_t maxCodes,
                                 const detail::VectorKernels &kernels)
{
    const auto width = static_cast<std::size_t>(mode);
    const std::size_t partial = binaryMessage.size() % width;
    const std::string_view wholeGroups = binaryMessage.substr(partial);
    const std::size_t groups = std::min(wholeGroups.size() / width, maxCodes);
    if (!detail::allBinaryDigits(binaryMessage.substr(0, partial)) ||
        !detail::allBinaryDigits(wholeGroups.substr(groups * width), kernels)) {
        return invalidCode();
    }
    bool valid = true;
    std::string message = detail::writtenString(groups, [&](char *codes) {
        const auto kernel =
            mode == BitMode::Seven ? kernels.decodeSevenBit : kernels.decodeEightBit;
        const std::size_t decoded = kernel(wholeGroups.data(), groups, codes);
        const std::string_view rest =
            wholeGroups.substr(decoded * width, (groups - decoded) * width);
        valid = detail::allBinaryDigits(rest);
        if (!valid) {
            return std::size_t{0};
        }
        for (std::size_t g = decoded; g < groups; ++g) {
            const std::uint64_t digits = detail::loadBytes(wholeGroups.data() + g * width, width);
            codes[g] = static_cast<char>(mode == BitMode::Seven ? detail::packSevenDigits(digits)
                                                                : detail::packEightDigits(digits));
        }
        // The message ends before its first zero code.
        return std::min(std::string_view(codes, groups).find('\0'), groups);
    });
    if (!valid) {
        return invalidCode();
    }
    return {true, std::move(message)};
}

} // namespace

namespace detail {

std::string binText(std::string_view message, BitMode mode, Path path)
{
    return encode(message, mode, kernelsFor(path));
}

DecodedMessage hexaText(std::string_view binaryMessage, BitMode mode, std::size_t maxCodes,
                        Path path)
{
    const VectorKernels *kernels = kernelsFor(path);
    if (kernels == nullptr) {
        return decodeScalar(binaryMessage, mode, maxCodes);
    }
    return decodeWithKernels(binaryMessage, mode, maxCodes, *kernels);
}

} // namespace detail

std::string binText(std::string_view message, BitMode mode)
{
    return detail::binText(message, mode, detail::fastestPath());
}

DecodedMessage hexaText(std::string_view binaryMessage, BitMode mode, std::size_t maxCodes)
{
    return detail::hexaText(binaryMessage, mode, maxCodes, detail::fastestPath());
}

DecodedMessage hexaTextCounted(std::string_view binaryMessage, std::size_t nonBinaryDigits,
                               BitMode mode, std::size_t maxCodes)
{
    if (nonBinaryDigits != 0) {
        return invalidCode();
    }
    return hexaText(
        binaryMessage.substr(0, hexaTextCountedReads(binaryMessage.size(), mode, maxCodes)), mode,
        maxCodes);
}

std::size_t hexaTextCountedReads(std::size_t length, BitMode mode, std::size_t maxCodes)
{
    // The partial group at the start and the groups that can show; a prefix
    // that long leaves the same partial group.
    const auto width = static_cast<std::size_t>(mode);
    return length % width + std::min(length / width, maxCodes) * width;
}

} // namespace vantrel
