// SPDX-License-Identifier: GPL-3.0-or-later
// The kernels in AVX2, compiled for AVX2 function by function so that the
// rest of the library still runs on any x86-64 processor; kernelsFor hands
// them out only where the processor has AVX2. A byte shuffle works within
// each 16-byte lane, so the bytes a lane needs are loaded into both lanes.
#include "vector_kernels.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <algorithm>
#include <array>
#include <cstdint>
#include <immintrin.h>

#define VANTREL_AVX2 __attribute__((target("avx2")))
// The helpers and block steps are inlined into the loops that run them, so
// that their constants stay in registers.
#define VANTREL_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace vantrel::detail {
namespace {

using Bytes32 = std::array<std::uint8_t, 32>;

// Makes the shuffle that fills each byte with the one source byte it takes.
template <typename Source> constexpr Bytes32 shuffleOf(Source source)
{
    Bytes32 table{};
    for (unsigned i = 0; i < 32; ++i) {
        table[i] = static_cast<std::uint8_t>(source(i));
    }
    return table;
}

constexpr std::uint8_t kZeroByte = 0x80; // a shuffle index that gives 0

// Text to binary, 8-bit: each output vector holds the digits of four codes,
// two a lane.
constexpr std::array<Bytes32, 4> kEightDigitShuffles = {
    shuffleOf([](unsigned i) { return i / 8; }),
    shuffleOf([](unsigned i) { return 4 + i / 8; }),
    shuffleOf([](unsigned i) { return 8 + i / 8; }),
    shuffleOf([](unsigned i) { return 12 + i / 8; }),
};
constexpr Bytes32 kEightDigitMasks = shuffleOf([](unsigned i) { return 0x80u >> (i % 8); });

// Text to binary, 7-bit: 32 codes give seven output vectors. Vector k takes
// its codes from 16 bytes loaded at kSevenDigitLoads[k], kept inside the 32.
constexpr std::array<unsigned, 7> kSevenDigitLoads = {0, 4, 9, 13, 16, 16, 16};

constexpr std::array<Bytes32, 7> makeSevenDigitShuffles()
{
    std::array<Bytes32, 7> tables{};
    for (unsigned k = 0; k < 7; ++k) {
        for (unsigned i = 0; i < 32; ++i) {
            tables[k][i] = static_cast<std::uint8_t>((32 * k + i) / 7 - kSevenDigitLoads[k]);
        }
    }
    return tables;
}

constexpr std::array<Bytes32, 7> makeSevenDigitMasks()
{
    std::array<Bytes32, 7> tables{};
    for (unsigned k = 0; k < 7; ++k) {
        for (unsigned i = 0; i < 32; ++i) {
            tables[k][i] = static_cast<std::uint8_t>(0x40u >> ((32 * k + i) % 7));
        }
    }
    return tables;
}

constexpr std::array<Bytes32, 7> kSevenDigitShuffles = makeSevenDigitShuffles();
constexpr std::array<Bytes32, 7> kSevenDigitMasks = makeSevenDigitMasks();

// Binary to text: the digits of each group in reverse, so that movemask puts
// the first digit in the code's top bit. A group of seven takes the low
// seven bytes of a 64-bit lane, its top byte left 0; the fourth 16-byte load
// of a block of 56 digits starts two digits early to stay inside it.
constexpr Bytes32 kReverseEights = shuffleOf([](unsigned i) { return (i & ~7u) + 7 - i % 8; });

constexpr std::uint8_t sevenDigitSource(unsigned i, unsigned shift)
{
    const unsigned inLane = i % 16;
    if (inLane % 8 == 7) {
        return kZeroByte;
    }
    return static_cast<std::uint8_t>(shift + (inLane / 8) * 7 + 6 - inLane % 8);
}

constexpr Bytes32 kReverseSevens = shuffleOf([](unsigned i) { return sevenDigitSource(i, 0); });
constexpr Bytes32 kReverseSevensLastShifted =
    shuffleOf([](unsigned i) { return sevenDigitSource(i, i < 16 ? 0 : 2); });

// Binary to hexadecimal: the packs leave the 32 group values in lane order,
// four to a 32-bit lane, which kLaneOrder puts back in reading order; then
// each value becomes its capital digit.
constexpr std::array<std::int32_t, 8> kLaneOrder = {0, 4, 1, 5, 2, 6, 3, 7};
constexpr Bytes32 kCapitalHexDigits =
    shuffleOf([](unsigned i) { return "0123456789ABCDEF"[i % 16]; });

// Hexadecimal to binary: each output vector holds the digits of eight
// characters, four a lane.
constexpr std::array<Bytes32, 2> kFourDigitShuffles = {
    shuffleOf([](unsigned i) { return i / 4; }),
    shuffleOf([](unsigned i) { return 8 + i / 4; }),
};
constexpr Bytes32 kFourDigitMasks = shuffleOf([](unsigned i) { return 8u >> (i % 4); });
// A value masked with one of those bits is 0, 1, 2, 4 or 8: "0" or "1" by
// table.
constexpr Bytes32 kDigitOfMaskedValue =
    shuffleOf([](unsigned i) { return i % 16 == 0 ? '0' : '1'; });

// As in the SSE2 kernels: blocks, then one last block overlapping the one
// before; stops before a block whose step fails.
template <std::size_t Block, std::size_t InWidth, std::size_t OutWidth,
          bool (*Step)(const char *, char *)>
VANTREL_AVX2 std::size_t coverInBlocks(const char *in, std::size_t count, char *out)
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

// The first element, within a block, whose output starts on a 32-byte
// boundary; 0 when none does.
template <std::size_t Block, std::size_t OutWidth> std::size_t firstAlignedElement(const char *out)
{
    const auto address = reinterpret_cast<std::uintptr_t>(out);
    for (std::size_t element = 0; element < Block; ++element) {
        if ((address + OutWidth * element) % sizeof(__m256i) == 0) {
            return element;
        }
    }
    return 0;
}

// Runs Cover from the first element whose output is aligned, so that its
// full-width stores never straddle two cache lines, after one Step at the
// start for the elements before it, which Cover then writes again. For steps
// that never fail.
template <std::size_t Block, std::size_t InWidth, std::size_t OutWidth,
          bool (*Step)(const char *, char *),
          std::size_t (*Cover)(const char *, std::size_t, char *)>
VANTREL_AVX2 std::size_t coverAligned(const char *in, std::size_t count, char *out)
{
    const std::size_t start = firstAlignedElement<Block, OutWidth>(out);
    if (start == 0 || count < Block) {
        return Cover(in, count, out);
    }
    Step(in, out);
    return std::max(Block,
                    start + Cover(in + InWidth * start, count - start, out + OutWidth * start));
}

template <std::size_t Block, bool (*Passes)(const char *)>
VANTREL_AVX2 std::size_t runInBlocks(const char *text, std::size_t length)
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

VANTREL_AVX2_INLINE __m256i load(const char *p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
}

VANTREL_AVX2_INLINE __m256i load(const Bytes32 &table)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(table.data()));
}

// The same 16 bytes in both lanes.
VANTREL_AVX2_INLINE __m256i loadBothLanes(const char *p)
{
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)));
}

// p[0..16) in the low lane, q[0..16) in the high one.
VANTREL_AVX2_INLINE __m256i loadLanes(const char *p, const char *q)
{
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p))),
        _mm_loadu_si128(reinterpret_cast<const __m128i *>(q)), 1);
}

VANTREL_AVX2_INLINE void store(char *p, __m256i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(p), v);
}

VANTREL_AVX2_INLINE __m256i repeated(char c)
{
    return _mm256_set1_epi8(c);
}

VANTREL_AVX2_INLINE __m256i xorZeros(__m256i v)
{
    return _mm256_xor_si256(v, repeated('0'));
}

// Whether every byte that went into the accumulated v ^ "0" was "0" or "1".
VANTREL_AVX2_INLINE bool onlyBinaryDigits(__m256i xoredWithZeros)
{
    return _mm256_testz_si256(xoredWithZeros, repeated(static_cast<char>(0xFE))) != 0;
}

// "1" in each byte that has the one bit of its mask, "0" elsewhere.
VANTREL_AVX2_INLINE __m256i digitsOfBits(__m256i bytes, __m256i masks)
{
    // "1" plus -1 where the bit is clear; the masks are read once.
    const __m256i clear = _mm256_cmpeq_epi8(_mm256_and_si256(bytes, masks), _mm256_setzero_si256());
    return _mm256_add_epi8(repeated('1'), clear);
}

// Bit i is the low bit of byte i: the digit of a "0" or "1".
VANTREL_AVX2_INLINE std::uint32_t lowBits(__m256i v)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_slli_epi16(v, 7)));
}

// The digits of the codes that a shuffle spreads over a vector.
VANTREL_AVX2_INLINE void storeSpreadDigits(char *digits, __m256i codes, const Bytes32 &shuffle,
                                           const Bytes32 &masks)
{
    store(digits, digitsOfBits(_mm256_shuffle_epi8(codes, load(shuffle)), load(masks)));
}

VANTREL_AVX2_INLINE bool encodeEightBitBlock(const char *message, char *digits)
{
    const __m256i codes = loadBothLanes(message);
    storeSpreadDigits(digits, codes, kEightDigitShuffles[0], kEightDigitMasks);
    storeSpreadDigits(digits + 32, codes, kEightDigitShuffles[1], kEightDigitMasks);
    storeSpreadDigits(digits + 64, codes, kEightDigitShuffles[2], kEightDigitMasks);
    storeSpreadDigits(digits + 96, codes, kEightDigitShuffles[3], kEightDigitMasks);
    return true;
}

// Vector K of one block of 32 codes, or of two blocks at once: a block reads
// seven shuffles and seven masks, more than the registers hold, so a pair
// shares the reads and leaves the stores as the limit.
template <unsigned K>
VANTREL_AVX2_INLINE void storeSevenDigitVector(const char *message, char *digits)
{
    storeSpreadDigits(digits + 32 * std::size_t{K}, loadBothLanes(message + kSevenDigitLoads[K]),
                      kSevenDigitShuffles[K], kSevenDigitMasks[K]);
}

template <unsigned K>
VANTREL_AVX2_INLINE void storeSevenDigitVectorPair(const char *message, char *digits)
{
    const __m256i shuffle = load(kSevenDigitShuffles[K]);
    const __m256i masks = load(kSevenDigitMasks[K]);
    const __m256i first = loadBothLanes(message + kSevenDigitLoads[K]);
    const __m256i second = loadBothLanes(message + 32 + kSevenDigitLoads[K]);
    store(digits + 32 * std::size_t{K}, digitsOfBits(_mm256_shuffle_epi8(first, shuffle), masks));
    store(digits + 224 + 32 * std::size_t{K},
          digitsOfBits(_mm256_shuffle_epi8(second, shuffle), masks));
}

VANTREL_AVX2_INLINE bool encodeSevenBitBlock(const char *message, char *digits)
{
    storeSevenDigitVector<0>(message, digits);
    storeSevenDigitVector<1>(message, digits);
    storeSevenDigitVector<2>(message, digits);
    storeSevenDigitVector<3>(message, digits);
    storeSevenDigitVector<4>(message, digits);
    storeSevenDigitVector<5>(message, digits);
    storeSevenDigitVector<6>(message, digits);
    return true;
}

VANTREL_AVX2_INLINE void encodeSevenBitPair(const char *message, char *digits)
{
    storeSevenDigitVectorPair<0>(message, digits);
    storeSevenDigitVectorPair<1>(message, digits);
    storeSevenDigitVectorPair<2>(message, digits);
    storeSevenDigitVectorPair<3>(message, digits);
    storeSevenDigitVectorPair<4>(message, digits);
    storeSevenDigitVectorPair<5>(message, digits);
    storeSevenDigitVectorPair<6>(message, digits);
}

// Pairs of blocks, then single ones, the last overlapping the one before.
VANTREL_AVX2 std::size_t encodeSevenBitPairs(const char *message, std::size_t length, char *digits)
{
    std::size_t done = 0;
    for (; length - done >= 64; done += 64) {
        encodeSevenBitPair(message + done, digits + 7 * done);
    }
    for (; length - done >= 32; done += 32) {
        encodeSevenBitBlock(message + done, digits + 7 * done);
    }
    if (done != length && length >= 32) {
        encodeSevenBitBlock(message + length - 32, digits + 7 * (length - 32));
        done = length;
    }
    return done;
}

VANTREL_AVX2_INLINE bool decodeEightBitBlock(const char *digits, char *codes)
{
    const __m256i low = load(digits);
    const __m256i high = load(digits + 32);
    if (!onlyBinaryDigits(_mm256_or_si256(xorZeros(low), xorZeros(high)))) {
        return false;
    }
    const __m256i reverse = load(kReverseEights);
    storeBytes(codes, lowBits(_mm256_shuffle_epi8(low, reverse)) |
                          std::uint64_t{lowBits(_mm256_shuffle_epi8(high, reverse))} << 32);
    return true;
}

VANTREL_AVX2_INLINE bool decodeSevenBitBlock(const char *digits, char *codes)
{
    const __m256i low = loadLanes(digits, digits + 14);
    const __m256i high = loadLanes(digits + 28, digits + 40);
    if (!onlyBinaryDigits(_mm256_or_si256(xorZeros(low), xorZeros(high)))) {
        return false;
    }
    storeBytes(
        codes,
        lowBits(_mm256_shuffle_epi8(low, load(kReverseSevens))) |
            std::uint64_t{lowBits(_mm256_shuffle_epi8(high, load(kReverseSevensLastShifted)))}
                << 32);
    return true;
}

// The values of the 16 groups of four in two vectors of 0s and 1s, one a
// 16-bit lane, in lane order.
VANTREL_AVX2_INLINE __m256i groupValues(__m256i first, __m256i second)
{
    const __m256i weights = _mm256_set1_epi32(0x01020408);
    const __m256i halves = _mm256_packus_epi16(_mm256_maddubs_epi16(first, weights),
                                               _mm256_maddubs_epi16(second, weights));
    return _mm256_maddubs_epi16(halves, repeated(1));
}

// 32 groups a block: a multiply-add joins the digits of each group in two
// halves (weights 8, 4 and 2, 1), a second one joins the halves, and packs
// narrow the sums to bytes, which come out in lane order.
VANTREL_AVX2_INLINE bool hexFromBinaryBlock(const char *digits, char *hex)
{
    const __m256i bits[4] = {xorZeros(load(digits)), xorZeros(load(digits + 32)),
                             xorZeros(load(digits + 64)), xorZeros(load(digits + 96))};
    if (!onlyBinaryDigits(_mm256_or_si256(_mm256_or_si256(bits[0], bits[1]),
                                          _mm256_or_si256(bits[2], bits[3])))) {
        return false;
    }
    const __m256i laneOrder =
        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(kLaneOrder.data()));
    const __m256i values = _mm256_permutevar8x32_epi32(
        _mm256_packus_epi16(groupValues(bits[0], bits[1]), groupValues(bits[2], bits[3])),
        laneOrder);
    store(hex, _mm256_shuffle_epi8(load(kCapitalHexDigits), values));
    return true;
}

// All ones in each byte from low to low + count - 1: the unsigned range test
// as one signed comparison, after moving the range to the bottom of the
// signed bytes.
VANTREL_AVX2_INLINE __m256i inRange(__m256i v, char low, char count)
{
    const __m256i moved = _mm256_add_epi8(v, repeated(static_cast<char>(0x80 - low)));
    return _mm256_cmpgt_epi8(repeated(static_cast<char>(-128 + count)), moved);
}

// Bytes whose low four bits are the hexadecimal value of each byte, 0 for a
// byte that is not a digit; the high four bits do not count. A decimal
// digit's low bits are its value already, a letter's need 9 more.
VANTREL_AVX2_INLINE __m256i hexValues(__m256i v)
{
    const __m256i isDecimal = inRange(v, '0', 10);
    const __m256i isLetter = inRange(_mm256_or_si256(v, repeated(0x20)), 'a', 6);
    const __m256i values = _mm256_add_epi8(v, _mm256_and_si256(isLetter, repeated(9)));
    return _mm256_and_si256(values, _mm256_or_si256(isDecimal, isLetter));
}

// The four digits of each of eight values that a shuffle spreads over a
// vector.
VANTREL_AVX2_INLINE void storeFourDigitsEach(char *digits, __m256i values, const Bytes32 &shuffle)
{
    const __m256i masked =
        _mm256_and_si256(_mm256_shuffle_epi8(values, load(shuffle)), load(kFourDigitMasks));
    store(digits, _mm256_shuffle_epi8(load(kDigitOfMaskedValue), masked));
}

VANTREL_AVX2_INLINE bool binaryFromHexBlock(const char *hex, char *digits)
{
    const __m256i values = hexValues(load(hex));
    const __m256i low = _mm256_permute2x128_si256(values, values, 0x00);
    const __m256i high = _mm256_permute2x128_si256(values, values, 0x11);
    storeFourDigitsEach(digits, low, kFourDigitShuffles[0]);
    storeFourDigitsEach(digits + 32, low, kFourDigitShuffles[1]);
    storeFourDigitsEach(digits + 64, high, kFourDigitShuffles[0]);
    storeFourDigitsEach(digits + 96, high, kFourDigitShuffles[1]);
    return true;
}

VANTREL_AVX2_INLINE bool binaryDigitBlock(const char *text)
{
    return onlyBinaryDigits(
        _mm256_or_si256(_mm256_or_si256(xorZeros(load(text)), xorZeros(load(text + 32))),
                        _mm256_or_si256(xorZeros(load(text + 64)), xorZeros(load(text + 96)))));
}

VANTREL_AVX2_INLINE bool zeroDigitBlock(const char *text)
{
    return _mm256_movemask_epi8(_mm256_cmpeq_epi8(load(text), repeated('0'))) == -1;
}

VANTREL_AVX2_INLINE bool zeroHexValueBlock(const char *text)
{
    return _mm256_testz_si256(hexValues(load(text)), repeated(0x0F)) != 0;
}

constexpr VectorKernels kAvx2Kernels{
    .encodeEightBit =
        coverAligned<16, 1, 8, encodeEightBitBlock, coverInBlocks<16, 1, 8, encodeEightBitBlock>>,
    .encodeSevenBit = coverAligned<32, 1, 7, encodeSevenBitBlock, encodeSevenBitPairs>,
    .decodeEightBit = coverInBlocks<8, 8, 1, decodeEightBitBlock>,
    .decodeSevenBit = coverInBlocks<8, 7, 1, decodeSevenBitBlock>,
    .hexFromBinary = coverInBlocks<32, 4, 1, hexFromBinaryBlock>,
    .binaryFromHex =
        coverAligned<32, 1, 4, binaryFromHexBlock, coverInBlocks<32, 1, 4, binaryFromHexBlock>>,
    .binaryDigitRun = runInBlocks<128, binaryDigitBlock>,
    .zeroDigitRun = runInBlocks<32, zeroDigitBlock>,
    .zeroHexValueRun = runInBlocks<32, zeroHexValueBlock>,
};

} // namespace

const VectorKernels *avx2Kernels()
{
    return &kAvx2Kernels;
}

} // namespace vantrel::detail

#else

const vantrel::detail::VectorKernels *vantrel::detail::avx2Kernels()
{
    return nullptr;
}

#endif
