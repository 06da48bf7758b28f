// SPDX-License-Identifier: GPL-3.0-or-later
// The binary field's model alone (codes, line layout, caret and history) at
// 100,000,000 codes in the three shapes a dump comes in: digits only, a line
// of 8 digits each, and a line of "0100 0001" each. A key typed at the
// start, in the middle and at the end; a reset (the program writing the
// whole text); and the heap the model holds for each code. Advances and
// width are those of txtBin in Calibri 12 at 96 dpi.

#include "binary_text_model.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <string>

namespace {

using vantrel::BinaryTextModel;
using vantrel::EditKind;

constexpr qsizetype kCodes = 100'000'000;

std::string shaped(int shape)
{
    static const char *const kLines[] = {"", "01000001\r\n", "0100 0001\r\n"};
    if (shape == 0) {
        return std::string(std::size_t(kCodes), '1');
    }
    const std::string line = kLines[shape];
    std::string codes;
    codes.reserve(std::size_t(kCodes) + line.size());
    while (qsizetype(codes.size()) < kCodes) {
        codes += line;
    }
    codes.resize(std::size_t(kCodes));
    return codes;
}

const char *shapeName(int shape)
{
    static const char *const kNames[] = {"digits only", "8 digits + CR LF",
                                         "\"0100 0001\" + CR LF"};
    return kNames[shape];
}

void setUp(BinaryTextModel &model)
{
    std::array<qreal, 256> advances{};
    advances.fill(8.5);
    for (char digit = '0'; digit <= '9'; ++digit) {
        advances[std::size_t(digit)] = 8.0;
    }
    advances[' '] = 3.5;
    model.layout().setAdvances(advances);
    model.layout().setWidth(289);
}

std::size_t heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// One key typed again and again at a place: the first, before timing,
// brings the buffer's gap there, as the user's first key at a place does.
void BM_Key(benchmark::State &state)
{
    const auto shape = int(state.range(0));
    BinaryTextModel model;
    setUp(model);
    model.reset(shaped(shape));
    const qsizetype place = state.range(1) * (model.size() / 2);
    model.moveCaret(model.legal(place), false);
    model.replace(model.caret(), model.caret(), "1", EditKind::Typing);
    for (auto _ : state) {
        model.replace(model.caret(), model.caret(), "1", EditKind::Typing);
        benchmark::DoNotOptimize(model.layout().lineCount());
    }
    static const char *const kPlaces[] = {"start", "middle", "end"};
    state.SetLabel(std::string(shapeName(shape)) + ", at the " + kPlaces[state.range(1)]);
}

void BM_Reset(benchmark::State &state)
{
    const auto shape = int(state.range(0));
    BinaryTextModel model;
    setUp(model);
    const std::string codes = shaped(shape);
    const std::size_t before = heapBytes();
    for (auto _ : state) {
        state.PauseTiming();
        model.reset({});
        std::string copy = codes;
        state.ResumeTiming();
        model.reset(std::move(copy));
    }
    state.counters["bytes_per_code"] = double(heapBytes() - before) / double(kCodes);
    state.SetLabel(shapeName(shape));
}

} // namespace

// Fixed counts: each run lays out 10^8 codes before it times anything.
BENCHMARK(BM_Key)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2000);
BENCHMARK(BM_Reset)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);
