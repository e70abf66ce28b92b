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

// Counts what it is given, as a sink that hands the text on at once would.
class DiscardSink final : public tinsora::OutputSink {
public:
    void Write(std::string_view bytes) override {
        benchmark::DoNotOptimize(bytes.data());
        written += bytes.size();
    }
    std::size_t written = 0;
};

std::int64_t Bytes(const tinsora::GradientTableOptions& options) {
    return static_cast<std::int64_t>(tinsora::GradientTableSize(options).lo);
}

// The 1000 x 1000 table in line mode, in each style, into a sink that passes it on.
void BM_GradientTable1000(benchmark::State& state) {
    auto options = Table1000();
    options.style = state.range(0) ? tinsora::OutputStyle::Html5 : tinsora::OutputStyle::Classic;
    for (auto _ : state) {
        DiscardSink sink;
        tinsora::WriteGradientTable(options, sink);
        benchmark::DoNotOptimize(sink.written);
    }
    state.SetBytesProcessed(state.iterations() * Bytes(options));
    state.SetLabel(state.range(0) ? "html5" : "classic");
}

// The same table collected whole, as the window's pane takes it.
void BM_GradientTableCollected1000(benchmark::State& state) {
    const auto options = Table1000();
    for (auto _ : state) {
        tinsora::StringSink sink;
        tinsora::WriteGradientTable(options, sink);
        benchmark::DoNotOptimize(sink.Text().data());
    }
    state.SetBytesProcessed(state.iterations() * Bytes(options));
}

// Copying the same number of bytes into a buffer that is already mapped.
void BM_Memcpy1000(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(tinsora::GradientTableSize(Table1000()).lo);
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
    const auto bytes = static_cast<std::size_t>(tinsora::GradientTableSize(Table1000()).lo);
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

BENCHMARK(BM_GradientTable1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientTableCollected1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyFresh1000)->Unit(benchmark::kMillisecond);
