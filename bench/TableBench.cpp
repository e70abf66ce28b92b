#include "html/GradientTable.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

tinsora::GradientTableOptions Table1000() {
    tinsora::GradientTableOptions options;
    options.cols = "1000";
    options.rows = "1000";
    return options;
}

// The 1000 x 1000 table in line mode; bytes counted as the pane's text (CR LF after each entry).
void BM_GradientTable1000(benchmark::State& state) {
    const auto options = Table1000();
    const auto bytes = tinsora::GradientTableOutputSize(options);
    for (auto _ : state) {
        auto lines = tinsora::MakeGradientTable(options);
        benchmark::DoNotOptimize(lines.Joined().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// The same table written in pieces through a reused buffer, as tinsora-cli does.
void BM_GradientTableStream1000(benchmark::State& state) {
    const auto options = Table1000();
    const auto bytes = tinsora::GradientTableOutputSize(options);
    for (auto _ : state) {
        std::size_t written = 0;
        tinsora::WriteGradientTable(options, "\r\n", [&](std::string_view piece) {
            benchmark::DoNotOptimize(piece.data());
            written += piece.size();
        });
        benchmark::DoNotOptimize(written);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// Copying the same number of bytes into a buffer that is already mapped.
void BM_Memcpy1000(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(tinsora::GradientTableOutputSize(Table1000()));
    const auto source = std::make_unique<char[]>(bytes);
    const auto target = std::make_unique<char[]>(bytes);
    std::memset(source.get(), 'x', bytes);
    std::memset(target.get(), 0, bytes);
    for (auto _ : state) {
        std::memcpy(target.get(), source.get(), bytes);
        benchmark::DoNotOptimize(target.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// Copying into a fresh allocation each time, as the generator must.
void BM_MemcpyFresh1000(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(tinsora::GradientTableOutputSize(Table1000()));
    const auto source = std::make_unique<char[]>(bytes);
    std::memset(source.get(), 'x', bytes);
    for (auto _ : state) {
        const auto target = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(target.get(), source.get(), bytes);
        benchmark::DoNotOptimize(target.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

} // namespace

BENCHMARK(BM_GradientTable1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientTableStream1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyFresh1000)->Unit(benchmark::kMillisecond);
