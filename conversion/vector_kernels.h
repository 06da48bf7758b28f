// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The inner loops of the conversions in vector instructions. Each kernel
// works in whole blocks, the last one overlapping the block before when the
// length is not a multiple of the block, and returns how much it handled
// (in characters or groups): all of it unless the span is shorter than a
// block or a check stopped it. The conversion finishes the rest with scalar
// code. No kernel reads or writes outside the spans it is given. Internal to
// the conversion library.

#include "binary_digits.h"
#include "conversion_paths.h"

#include <cstddef>
#include <string_view>

namespace vantrel::detail {

struct VectorKernels
{
    // Eight (seven) digits for every code of message[0..length), the digit
    // of weight 128 (64) first, at digits.
    std::size_t (*encodeEightBit)(const char *message, std::size_t length, char *digits);
    std::size_t (*encodeSevenBit)(const char *message, std::size_t length, char *digits);
    // The code of every group of eight (seven) digits, first digit most
    // significant, at codes; stops before a block holding a character other
    // than "0" and "1".
    std::size_t (*decodeEightBit)(const char *digits, std::size_t groups, char *codes);
    std::size_t (*decodeSevenBit)(const char *digits, std::size_t groups, char *codes);
    // A capital hexadecimal digit for every group of four binary digits;
    // stops as the decoding does.
    std::size_t (*hexFromBinary)(const char *digits, std::size_t groups, char *hex);
    // Binario2's four digits for every character, a character that is not a
    // hexadecimal digit counting as 0.
    std::size_t (*binaryFromHex)(const char *hex, std::size_t length, char *digits);
    // Characters that are all "0" or "1"; all "0"; all of hexadecimal value 0
    // ("0" or not a hexadecimal digit).
    std::size_t (*binaryDigitRun)(const char *text, std::size_t length);
    std::size_t (*zeroDigitRun)(const char *text, std::size_t length);
    std::size_t (*zeroHexValueRun)(const char *text, std::size_t length);
};

// Null where this build has no such code. The AVX2 kernels run only on a
// processor that has AVX2, which kernelsFor checks.
const VectorKernels *sse2Kernels();
const VectorKernels *avx2Kernels();

// The kernels of a path, null for the scalar path or one not available.
const VectorKernels *kernelsFor(Path path);

inline bool allBinaryDigits(std::string_view text, const VectorKernels &kernels)
{
    return allBinaryDigits(text.substr(kernels.binaryDigitRun(text.data(), text.size())));
}

} // namespace vantrel::detail
