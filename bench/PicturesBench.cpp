#include "gradient/Pictures.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using tinsora::kInitialGradientColors;

// Row strides as a QImage of each size has them (32-bit rows are never padded).
struct Buffers {
    std::vector<std::uint32_t> map =
        std::vector<std::uint32_t>(tinsora::kBaseMapWidth * tinsora::kBaseMapHeight);
    std::vector<std::uint32_t> strip =
        std::vector<std::uint32_t>(tinsora::kStripWidth * tinsora::kStripHeight);
    std::vector<std::uint32_t> square =
        std::vector<std::uint32_t>(tinsora::kSquareSize * tinsora::kSquareSize);
};

void BM_DrawBaseColorMap(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        tinsora::DrawBaseColorMap(b.map.data(), tinsora::kBaseMapWidth);
        benchmark::DoNotOptimize(b.map.data());
        benchmark::ClobberMemory();
    }
}

void BM_DrawColorStrip(benchmark::State& state) {
    Buffers b;
    const int lastGradColor = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tinsora::DrawColorStrip(b.strip.data(), tinsora::kStripWidth, lastGradColor,
                                kInitialGradientColors);
        benchmark::DoNotOptimize(b.strip.data());
        benchmark::ClobberMemory();
    }
}

void BM_DrawCornerGradient(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        tinsora::DrawCornerGradient(b.square.data(), tinsora::kSquareSize, kInitialGradientColors);
        benchmark::DoNotOptimize(b.square.data());
        benchmark::ClobberMemory();
    }
}

// What start-up draws: the map, the square and the strip.
void BM_DrawAllThreePictures(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        tinsora::DrawBaseColorMap(b.map.data(), tinsora::kBaseMapWidth);
        tinsora::DrawCornerGradient(b.square.data(), tinsora::kSquareSize, kInitialGradientColors);
        tinsora::DrawColorStrip(b.strip.data(), tinsora::kStripWidth, 1, kInitialGradientColors);
        benchmark::DoNotOptimize(b.map.data());
        benchmark::DoNotOptimize(b.square.data());
        benchmark::DoNotOptimize(b.strip.data());
        benchmark::ClobberMemory();
    }
}

// One pick: the colour under the mouse, recomputed from the formulas.
void BM_PickColors(benchmark::State& state) {
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % tinsora::kSquareSize;
        benchmark::DoNotOptimize(tinsora::BaseMapColor(x * 2, x % 31));
        benchmark::DoNotOptimize(tinsora::SquareColor(x, 70 - x, kInitialGradientColors));
        benchmark::DoNotOptimize(tinsora::StripColor(x * 3, 3, kInitialGradientColors));
    }
}

} // namespace

BENCHMARK(BM_DrawBaseColorMap);
BENCHMARK(BM_DrawColorStrip)->Arg(1)->Arg(2)->Arg(3);
BENCHMARK(BM_DrawCornerGradient);
BENCHMARK(BM_DrawAllThreePictures);
BENCHMARK(BM_PickColors);
