// SPDX-License-Identifier: GPL-3.0-or-later
// The kernels in SSE2, which every x86-64 processor runs. Without a byte
// shuffle, bytes are replicated by unpacking them with themselves, and digits
// are gathered into bits with movemask and rearranged in a 64-bit word.
#include "vector_kernels.h"

#if defined(__SSE2__)

#include <cstdint>
#include <emmintrin.h>

namespace vantrel::detail {
namespace {

// The helpers and block steps are inlined into these loops, so that their
// constants stay in registers.

// Runs a step on the blocks of count elements, then once more on the last
// Block elements when the blocks leave some over: overlapping the block
// before, it writes the same output again. Stops before a block whose step
// fails; returns how many elements were covered.
template <std::size_t Block, std::size_t InWidth, std::size_t OutWidth,
          bool (*Step)(const char *, char *)>
std::size_t coverInBlocks(const char *in, std::size_t count, char *out)
{
    std::size_t done = 0;
    for (; count - done >= Block; done += Block) {
        if (!Step(in + InWidth * done, out + OutWidth * done)) {
            return done;
        }
    }
    const std::size_t last = count - Block;
    if (done != count && count >= Block && Step(in + InWidth * last, out + OutWidth * last)) {
        return count;
    }
    return done;
}

// The same for a test of the input alone: the length of the run of blocks
// that pass it, the whole text when every block does.
template <std::size_t Block, bool (*Passes)(const char *)>
std::size_t runInBlocks(const char *text, std::size_t length)
{
    std::size_t done = 0;
    for (; length - done >= Block; done += Block) {
        if (!Passes(text + done)) {
            return done;
        }
    }
    if (done != length && length >= Block && Passes(text + length - Block)) {
        return length;
    }
    return done;
}

[[gnu::always_inline]] inline __m128i load(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

[[gnu::always_inline]] inline void store(char *p, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i *>(p), v);
}

[[gnu::always_inline]] inline __m128i repeated(char c)
{
    return _mm_set1_epi8(c);
}

// "1" in each byte that has the one bit of its mask, "0" elsewhere.
[[gnu::always_inline]] inline __m128i digitsOfBits(__m128i bytes, __m128i masks)
{
    // "1" plus -1 where the bit is clear; the masks are read once.
    const __m128i clear = _mm_cmpeq_epi8(_mm_and_si128(bytes, masks), _mm_setzero_si128());
    return _mm_add_epi8(repeated('1'), clear);
}

// The 128 digits of the 16 bytes of v, eight a byte from its bit 7 down:
// d[i] holds those of bytes 2i and 2i + 1.
[[gnu::always_inline]] inline void eightDigitsEach(__m128i v, __m128i (&d)[8])
{
    const __m128i masks = _mm_set_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    const __m128i low = _mm_unpacklo_epi8(v, v);
    const __m128i high = _mm_unpackhi_epi8(v, v);
    const __m128i first = _mm_unpacklo_epi16(low, low);
    const __m128i second = _mm_unpackhi_epi16(low, low);
    const __m128i third = _mm_unpacklo_epi16(high, high);
    const __m128i fourth = _mm_unpackhi_epi16(high, high);
    d[0] = digitsOfBits(_mm_unpacklo_epi32(first, first), masks);
    d[1] = digitsOfBits(_mm_unpackhi_epi32(first, first), masks);
    d[2] = digitsOfBits(_mm_unpacklo_epi32(second, second), masks);
    d[3] = digitsOfBits(_mm_unpackhi_epi32(second, second), masks);
    d[4] = digitsOfBits(_mm_unpacklo_epi32(third, third), masks);
    d[5] = digitsOfBits(_mm_unpackhi_epi32(third, third), masks);
    d[6] = digitsOfBits(_mm_unpacklo_epi32(fourth, fourth), masks);
    d[7] = digitsOfBits(_mm_unpackhi_epi32(fourth, fourth), masks);
}

[[gnu::always_inline]] inline bool encodeEightBitBlock(const char *message, char *digits)
{
    __m128i d[8];
    eightDigitsEach(load(message), d);
    store(digits, d[0]);
    store(digits + 16, d[1]);
    store(digits + 32, d[2]);
    store(digits + 48, d[3]);
    store(digits + 64, d[4]);
    store(digits + 80, d[5]);
    store(digits + 96, d[6]);
    store(digits + 112, d[7]);
    return true;
}

// The seven low bits of the eight bytes of each 64-bit lane, first byte
// first, as one 56-bit string of bits from the lane's bit 63 down.
[[gnu::always_inline]] inline __m128i packSevenBitCodes(__m128i v)
{
    const __m128i codes = _mm_and_si128(v, repeated(0x7F));
    const __m128i twos = _mm_or_si128(
        _mm_slli_epi16(_mm_and_si128(codes, _mm_set1_epi16(0x00FF)), 7), _mm_srli_epi16(codes, 8));
    const __m128i fours = _mm_or_si128(
        _mm_slli_epi32(_mm_and_si128(twos, _mm_set1_epi32(0xFFFF)), 14), _mm_srli_epi32(twos, 16));
    const __m128i eights =
        _mm_or_si128(_mm_slli_epi64(_mm_and_si128(fours, _mm_set1_epi64x(0xFFFFFFFF)), 28),
                     _mm_srli_epi64(fours, 32));
    return _mm_slli_epi64(eights, 8);
}

// Reverses the byte order of each 64-bit lane.
[[gnu::always_inline]] inline __m128i swapBytesInLanes(__m128i v)
{
    const __m128i words = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0x1B), 0x1B);
    return _mm_or_si128(_mm_slli_epi16(words, 8), _mm_srli_epi16(words, 8));
}

// Sixteen codes make 112 bits: each lane of eight is packed into seven bytes
// in reading order, whose digits are written as in 8-bit mode; the eighth
// byte of a lane holds no digits.
[[gnu::always_inline]] inline bool encodeSevenBitBlock(const char *message, char *digits)
{
    __m128i d[8];
    eightDigitsEach(swapBytesInLanes(packSevenBitCodes(load(message))), d);
    // The second half of d[3] is the empty byte, overwritten by d[4]; that of
    // d[7] is left out.
    store(digits, d[0]);
    store(digits + 16, d[1]);
    store(digits + 32, d[2]);
    store(digits + 48, d[3]);
    store(digits + 56, d[4]);
    store(digits + 72, d[5]);
    store(digits + 88, d[6]);
    _mm_storel_epi64(reinterpret_cast<__m128i *>(digits + 104), d[7]);
    return true;
}

// Bit i is the low bit of byte i: the digit of a "0" or "1".
[[gnu::always_inline]] inline std::uint64_t lowBits(__m128i v)
{
    return static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_slli_epi16(v, 7)));
}

[[gnu::always_inline]] inline __m128i xorZeros(__m128i v)
{
    return _mm_xor_si128(v, repeated('0'));
}

// Whether every byte that went into the accumulated v ^ "0" was "0" or "1".
[[gnu::always_inline]] inline bool onlyBinaryDigits(__m128i xoredWithZeros)
{
    const __m128i highBits = _mm_and_si128(xoredWithZeros, repeated(static_cast<char>(0xFE)));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(highBits, _mm_setzero_si128())) == 0xFFFF;
}

[[gnu::always_inline]] inline bool onlyBinaryDigits(const __m128i (&v)[4])
{
    return onlyBinaryDigits(_mm_or_si128(_mm_or_si128(xorZeros(v[0]), xorZeros(v[1])),
                                         _mm_or_si128(xorZeros(v[2]), xorZeros(v[3]))));
}

[[gnu::always_inline]] inline std::uint64_t reverseBitsInBytes(std::uint64_t word)
{
    word = ((word >> 1) & 0x5555555555555555ULL) | ((word & 0x5555555555555555ULL) << 1);
    word = ((word >> 2) & 0x3333333333333333ULL) | ((word & 0x3333333333333333ULL) << 2);
    return ((word >> 4) & 0x0F0F0F0F0F0F0F0FULL) | ((word & 0x0F0F0F0F0F0F0F0FULL) << 4);
}

// Eight groups a block: the 64 digits as bits, first digit lowest, so each
// byte holds one group with its bits reversed.
[[gnu::always_inline]] inline bool decodeEightBitBlock(const char *digits, char *codes)
{
    const __m128i v[4] = {load(digits), load(digits + 16), load(digits + 32), load(digits + 48)};
    if (!onlyBinaryDigits(v)) {
        return false;
    }
    const std::uint64_t bits =
        lowBits(v[0]) | lowBits(v[1]) << 16 | lowBits(v[2]) << 32 | lowBits(v[3]) << 48;
    storeBytes(codes, reverseBitsInBytes(bits));
    return true;
}

// The same for eight groups of seven: the 56 bits are spread so that group k
// takes byte k, then reversed within the byte and moved down by one.
[[gnu::always_inline]] inline bool decodeSevenBitBlock(const char *digits, char *codes)
{
    const __m128i v[4] = {load(digits), load(digits + 16), load(digits + 32), load(digits + 40)};
    if (!onlyBinaryDigits(v)) {
        return false;
    }
    std::uint64_t bits =
        lowBits(v[0]) | lowBits(v[1]) << 16 | lowBits(v[2]) << 32 | (lowBits(v[3]) >> 8) << 48;
    bits = (bits & 0x000000000FFFFFFFULL) | ((bits & 0x00FFFFFFF0000000ULL) << 4);
    bits = (bits & 0x00003FFF00003FFFULL) | ((bits & 0x0FFFC0000FFFC000ULL) << 2);
    bits = (bits & 0x007F007F007F007FULL) | ((bits & 0x3F803F803F803F80ULL) << 1);
    storeBytes(codes, (reverseBitsInBytes(bits) >> 1) & 0x7F7F7F7F7F7F7F7FULL);
    return true;
}

// The values of the four groups of four digits of v, one a 32-bit lane:
// pairs of digits are joined in 16-bit lanes, pairs of pairs by a
// multiply-add.
[[gnu::always_inline]] inline __m128i groupValues(__m128i v)
{
    const __m128i bits = xorZeros(v);
    const __m128i pairs = _mm_and_si128(
        _mm_add_epi16(_mm_slli_epi16(bits, 1), _mm_srli_epi16(bits, 8)), _mm_set1_epi16(0xFF));
    return _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010004));
}

// Sixteen groups a block; their values are packed to bytes.
[[gnu::always_inline]] inline bool hexFromBinaryBlock(const char *digits, char *hex)
{
    const __m128i v[4] = {load(digits), load(digits + 16), load(digits + 32), load(digits + 48)};
    if (!onlyBinaryDigits(v)) {
        return false;
    }
    const __m128i values[4] = {groupValues(v[0]), groupValues(v[1]), groupValues(v[2]),
                               groupValues(v[3])};
    const __m128i nibbles = _mm_packus_epi16(_mm_packs_epi32(values[0], values[1]),
                                             _mm_packs_epi32(values[2], values[3]));
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(nibbles, repeated(9)), repeated(7));
    store(hex, _mm_add_epi8(_mm_add_epi8(nibbles, repeated('0')), letters));
    return true;
}

// All ones in each byte from low to low + count - 1: the unsigned range test
// as one signed comparison, after moving the range to the bottom of the
// signed bytes.
[[gnu::always_inline]] inline __m128i inRange(__m128i v, char low, char count)
{
    const __m128i moved = _mm_add_epi8(v, repeated(static_cast<char>(0x80 - low)));
    return _mm_cmpgt_epi8(repeated(static_cast<char>(-128 + count)), moved);
}

// Bytes whose low four bits are the hexadecimal value of each byte, 0 for a
// byte that is not a digit; the high four bits do not count. A decimal
// digit's low bits are its value already, a letter's need 9 more.
[[gnu::always_inline]] inline __m128i hexValues(__m128i v)
{
    const __m128i isDecimal = inRange(v, '0', 10);
    const __m128i isLetter = inRange(_mm_or_si128(v, repeated(0x20)), 'a', 6);
    const __m128i values = _mm_add_epi8(v, _mm_and_si128(isLetter, repeated(9)));
    return _mm_and_si128(values, _mm_or_si128(isDecimal, isLetter));
}

[[gnu::always_inline]] inline bool binaryFromHexBlock(const char *hex, char *digits)
{
    const __m128i masks = _mm_set1_epi32(0x01020408);
    const __m128i values = hexValues(load(hex));
    const __m128i low = _mm_unpacklo_epi8(values, values);
    const __m128i high = _mm_unpackhi_epi8(values, values);
    store(digits, digitsOfBits(_mm_unpacklo_epi16(low, low), masks));
    store(digits + 16, digitsOfBits(_mm_unpackhi_epi16(low, low), masks));
    store(digits + 32, digitsOfBits(_mm_unpacklo_epi16(high, high), masks));
    store(digits + 48, digitsOfBits(_mm_unpackhi_epi16(high, high), masks));
    return true;
}

[[gnu::always_inline]] inline bool binaryDigitBlock(const char *text)
{
    const __m128i v[4] = {load(text), load(text + 16), load(text + 32), load(text + 48)};
    return onlyBinaryDigits(v);
}

[[gnu::always_inline]] inline bool zeroDigitBlock(const char *text)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi8(load(text), repeated('0'))) == 0xFFFF;
}

[[gnu::always_inline]] inline bool zeroHexValueBlock(const char *text)
{
    const __m128i zero =
        _mm_cmpeq_epi8(_mm_and_si128(hexValues(load(text)), repeated(0x0F)), _mm_setzero_si128());
    return _mm_movemask_epi8(zero) == 0xFFFF;
}

constexpr VectorKernels kSse2Kernels{
    .encodeEightBit = coverInBlocks<16, 1, 8, encodeEightBitBlock>,
    .encodeSevenBit = coverInBlocks<16, 1, 7, encodeSevenBitBlock>,
    .decodeEightBit = coverInBlocks<8, 8, 1, decodeEightBitBlock>,
    .decodeSevenBit = coverInBlocks<8, 7, 1, decodeSevenBitBlock>,
    .hexFromBinary = coverInBlocks<16, 4, 1, hexFromBinaryBlock>,
    .binaryFromHex = coverInBlocks<16, 1, 4, binaryFromHexBlock>,
    .binaryDigitRun = runInBlocks<64, binaryDigitBlock>,
    .zeroDigitRun = runInBlocks<16, zeroDigitBlock>,
    .zeroHexValueRun = runInBlocks<16, zeroHexValueBlock>,
};

} // namespace

const VectorKernels *sse2Kernels()
{
    return &kSse2Kernels;
}

} // namespace vantrel::detail

#else

const vantrel::detail::VectorKernels *vantrel::detail::sse2Kernels()
{
    return nullptr;
}

#endif
