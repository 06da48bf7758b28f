// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Word-at-a-time helpers for strings of "0"/"1" characters, shared by the
// message and hexadecimal conversions. Internal to the conversion library.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vantrel::detail {

inline constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;
inline constexpr std::uint64_t kAsciiZeros = 0x3030303030303030ULL;

// Bytes p[0..count) as a little-endian word, whatever the host's byte order;
// compilers turn the loop into one load.
inline std::uint64_t loadBytes(const char *p, std::size_t count = 8)
{
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < count; ++i) {
        word |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
    }
    return word;
}

// Stores the low `count` bytes of a word at p, lowest byte first.
inline void storeBytes(char *p, std::uint64_t word, std::size_t count = 8)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &word, count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            p[i] = static_cast<char>(word >> (8 * i));
        }
    }
}

// Non-zero when some byte of the word is neither "0" nor "1".
inline std::uint64_t nonBinaryBytes(std::uint64_t word)
{
    return (word ^ kAsciiZeros) & ~kEachByte;
}

// The eight digits of a word (first digit in the lowest byte) as one byte,
// the first digit most significant. The multiplier moves the low bit of byte
// i to bit 63 - i without carries.
inline std::uint8_t packEightDigits(std::uint64_t word)
{
    return static_cast<std::uint8_t>(((word & kEachByte) * 0x8040201008040201ULL) >> 56);
}

// The same for seven digits held in the low seven bytes.
inline std::uint8_t packSevenDigits(std::uint64_t word)
{
    return packEightDigits(word << 8);
}

// True when every character is "0" or "1"; the empty text is.
inline bool allBinaryDigits(std::string_view text)
{
    const char *p = text.data();
    std::size_t left = text.size();
    constexpr std::size_t kBlock = 64;
    while (left >= kBlock) {
        std::uint64_t bad = 0;
        for (std::size_t i = 0; i < kBlock; i += 8) {
            bad |= nonBinaryBytes(loadBytes(p + i));
        }
        if (bad != 0) {
            return false;
        }
        p += kBlock;
        left -= kBlock;
    }
    for (; left > 0; ++p, --left) {
        if (*p != '0' && *p != '1') {
            return false;
        }
    }
    return true;
}

} // namespace vantrel::detail
