// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the conversion core, in bytes of input per second.

#include "hex_conversion.h"
#include "message_conversion.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

using vantrel::BitMode;

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

void reportBytes(benchmark::State &state, std::size_t inputBytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(inputBytes));
}

void BM_BinText(benchmark::State &state, BitMode mode)
{
    const std::string message = randomMessage(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrel::binText(message, mode));
    }
    reportBytes(state, message.size());
}

void BM_HexaText(benchmark::State &state, BitMode mode)
{
    const auto width = static_cast<std::size_t>(mode);
    const std::string binary =
        vantrel::binText(randomMessage(static_cast<std::size_t>(state.range(0)) / width), mode);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrel::hexaText(binary, mode));
    }
    reportBytes(state, binary.size());
}

void BM_BinaryToHex(benchmark::State &state)
{
    std::string binary = randomText(static_cast<std::size_t>(state.range(0)), "01");
    binary.front() = '1'; // no leading zeros to skip
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrel::binaryToHex(binary));
    }
    reportBytes(state, binary.size());
}

void BM_HexToBinary(benchmark::State &state)
{
    std::string hex =
        randomText(static_cast<std::size_t>(state.range(0)), "0123456789ABCDEFabcdef");
    hex.front() = 'F';
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrel::hexToBinary(hex));
    }
    reportBytes(state, hex.size());
}

constexpr std::int64_t kMiB = 1 << 20;

BENCHMARK_CAPTURE(BM_BinText, 8bit, BitMode::Eight)->Arg(500)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_BinText, 7bit, BitMode::Seven)->Arg(500)->Arg(kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 8bit, BitMode::Eight)->Arg(32'766)->Arg(8 * kMiB);
BENCHMARK_CAPTURE(BM_HexaText, 7bit, BitMode::Seven)->Arg(32'766)->Arg(8 * kMiB);
BENCHMARK(BM_BinaryToHex)->Arg(32'764)->Arg(8 * kMiB);
BENCHMARK(BM_HexToBinary)->Arg(500)->Arg(kMiB);

} // namespace
