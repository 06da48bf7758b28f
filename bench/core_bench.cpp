// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the conversion core, in bytes of input per second, beside the
// true floor measured in the same run (the slower of reading the input and
// writing the output once) and the share of it each conversion reaches
// (100 % when it runs as fast as the floor). The public functions
// take the fastest path this processor runs; at the large sizes the scalar
// reference and the SSE2 path are measured too.

#include "binary_digit_count.h"
#include "conversion_paths.h"
#include "hex_conversion.h"
#include "message_conversion.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace {

using vantrel::BitMode;
using vantrel::detail::Path;

// No path: the public function.
using OnPath = std::optional<Path>;

std::string randomText(std::size_t length, std::string_view alphabet)
{
    std::mt19937 random(42);
    std::string text(length, '\0');
    for (char &c : text) {
        c = alphabet[random() % alphabet.size()];
    }
    return text;
}

// Messages of printable characters; binary messages made of their groups, so
// that decoding runs to the end.
std::string randomMessage(std::size_t length)
{
    return randomText(length, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,");
}

// Processor time of this thread, the clock Google Benchmark reports by
// default, so that other processes on the machine count in neither figure.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

using Words = std::uint64_t __attribute__((vector_size(32)));

// The bytes read as 64-bit words into four independent vector sums, so that
// the loads, not the additions, set the pace; the bytes after the last whole
// block are added one by one.
[[gnu::target_clones("avx2", "default")]] std::uint64_t sumOfWords(const char *bytes,
                                                                   std::size_t size)
{
    constexpr std::size_t kBlock = 4 * sizeof(Words);
    Words sums[4] = {};
    std::size_t at = 0;
    for (; at + kBlock <= size; at += kBlock) {
        for (std::size_t i = 0; i < 4; ++i) {
            Words words;
            std::memcpy(&words, bytes + at + i * sizeof(Words), sizeof(Words));
            sums[i] += words;
        }
    }
    const Words total = sums[0] + sums[1] + sums[2] + sums[3];
    std::uint64_t sum = total[0] + total[1] + total[2] + total[3];
    for (; at < size; ++at) {
        sum += static_cast<unsigned char>(bytes[at]);
    }
    return sum;
}

// The least a conversion can spend: it reads its input once and writes its
// output once, so it runs no faster than the slower of reading the input's
// bytes (a vector sum) and writing the output's (memset), each over a buffer
// of that size reused as often as the conversion ran.
class TrueFloor
{
public:
    TrueFloor(std::size_t inputBytes, std::size_t outputBytes)
        : m_input(inputBytes, '1'), m_output(outputBytes, '\0')
    {}

    // The floor's seconds for that many conversions, and which side sets it.
    [[nodiscard]] std::pair<double, const char *> seconds(std::int64_t iterations)
    {
        const double read = readSeconds(iterations);
        const double write = writeSeconds(iterations);
        return read > write ? std::pair{read, "read floor"} : std::pair{write, "write floor"};
    }

private:
    double readSeconds(std::int64_t iterations) const
    {
        const double start = threadSeconds();
        for (std::int64_t i = 0; i < iterations; ++i) {
            benchmark::DoNotOptimize(sumOfWords(m_input.data(), m_input.size()));
        }
        return threadSeconds() - start;
    }

    double writeSeconds(std::int64_t iterations)
    {
        const double start = threadSeconds();
        for (std::int64_t i = 0; i < iterations; ++i) {
            std::memset(m_output.data(), static_cast<int>(i), m_output.size());
            benchmark::DoNotOptimize(m_output.data());
            benchmark::ClobberMemory();
        }
        return threadSeconds() - start;
    }

    std::string m_input;
    std::string m_output;
};

template <typename Convert>
void runAgainstFloor(benchmark::State &state, std::size_t inputBytes, std::size_t outputBytes,
                     Convert convert)
{
    TrueFloor floor(inputBytes, outputBytes);
    const double start = threadSeconds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert());
    }
    const double seconds = threadSeconds() - start;
    const auto [floorSeconds, floorSide] = floor.seconds(state.iterations());
    const double megabytes =
        static_cast<double>(inputBytes) * static_cast<double>(state.iterations()) / 1e6;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(inputBytes));
    state.SetLabel(floorSide);
    state.counters["MB/s"] = megabytes / seconds;
    state.counters["floor_MB/s"] = megabytes / floorSeconds;
    state.counters["share_%"] = 100 * floorSeconds / seconds;
}

void BM_BinText(benchmark::State &state, BitMode mode, OnPath path)
{
    const std::string message = randomMessage(static_cast<std::size_t>(state.range(0)));
    runAgainstFloor(state, message.size(), message.size() * static_cast<std::size_t>(mode), [&] {
        return path ? vantrel::detail::binText(message, mode, *path)
                    : vantrel::binText(message, mode);
    });
}

void BM_HexaText(benchmark::State &state, BitMode mode, OnPath path)
{
    const auto width = static_cast<std::size_t>(mode);
    const std::string binary =
        vantrel::binText(randomMessage(static_cast<std::size_t>(state.range(0)) / width), mode);
    runAgainstFloor(state, binary.size(), binary.size() / width, [&] {
        return path ? vantrel::detail::hexaText(binary, mode, std::string_view::npos, *path)
                    : vantrel::hexaText(binary, mode);
    });
}

void BM_BinaryToHex(benchmark::State &state, OnPath path)
{
    std::string binary = randomText(static_cast<std::size_t>(state.range(0)), "01");
    binary.front() = '1'; // no leading zeros to skip
    runAgainstFloor(state, binary.size(), (binary.size() + 3) / 4, [&] {
        return path ? vantrel::detail::binaryToHex(binary, *path) : vantrel::binaryToHex(binary);
    });
}

// The first digit sets how many binary digits the first character gives:
// four for "F", one for "1", which leaves the rest of the output off the
// four-byte grid.
void BM_HexToBinary(benchmark::State &state, char firstDigit, OnPath path)
{
    std::string hex =
        randomText(static_cast<std::size_t>(state.range(0)), "0123456789ABCDEFabcdef");
    hex.front() = firstDigit;
    runAgainstFloor(state, hex.size(), hex.size() * 4, [&] {
        return path ? vantrel::detail::hexToBinary(hex, *path) : vantrel::hexToBinary(hex);
    });
}

// What a binary field counts when it takes a whole new text: all digits,
// skipped in vector runs, or a letter every `letterEvery` digits, counted a
// word at a time.
void BM_NonBinaryDigitCount(benchmark::State &state, std::size_t letterEvery)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string text = randomText(size, "01");
    for (std::size_t i = 0; letterEvery != 0 && i < size; i += letterEvery) {
        text[i] = 'a';
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrel::nonBinaryDigitCount(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(size));
}

constexpr std::int64_t kMiB = 1 << 20;

BENCHMARK_CAPTURE(BM_BinText, 8bit, BitMode::Eight, {})->Arg(500)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_BinText, 7bit, BitMode::Seven, {})->Arg(500)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 8bit, BitMode::Eight, {})->Arg(32'766)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 7bit, BitMode::Seven, {})->Arg(32'766)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_BinaryToHex, fastest, {})->Arg(32'764)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexToBinary, fastest, 'F', {})->Arg(500)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_HexToBinary, fastest_one_digit_head, '1', {})->Arg(kMiB);
BENCHMARK_CAPTURE(BM_NonBinaryDigitCount, digits, 0)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_NonBinaryDigitCount, letter_every_100, 100)->Arg(8 * kMiB);

BENCHMARK_CAPTURE(BM_BinText, 8bit_scalar, BitMode::Eight, Path::Scalar)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_BinText, 8bit_SSE2, BitMode::Eight, Path::Sse2)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_BinText, 7bit_scalar, BitMode::Seven, Path::Scalar)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_BinText, 7bit_SSE2, BitMode::Seven, Path::Sse2)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 8bit_scalar, BitMode::Eight, Path::Scalar)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 8bit_SSE2, BitMode::Eight, Path::Sse2)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 7bit_scalar, BitMode::Seven, Path::Scalar)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 7bit_SSE2, BitMode::Seven, Path::Sse2)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_BinaryToHex, scalar, Path::Scalar)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_BinaryToHex, SSE2, Path::Sse2)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexToBinary, scalar, 'F', Path::Scalar)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_HexToBinary, SSE2, 'F', Path::Sse2)->Arg(kMiB);

} // namespace
