#include "bench/MixedText.h"
#include "html/GradientText.h"
#include "text/Cp932.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <string>

namespace {

// About 1 MB of mixed code page 932 text.
const std::string& MixedFile() {
    static const std::string bytes = tinsora::bench::MixedCp932Text(1u << 20);
    return bytes;
}

tinsora::GradientTextOptions
FileOptions(tinsora::OutputStyle style = tinsora::OutputStyle::Classic) {
    tinsora::GradientTextOptions o;
    o.source = tinsora::GradientTextSource::File;
    o.fileBytes = MixedFile();
    o.lineEnd = std::string("\n");
    o.style = style;
    return o;
}

class DiscardSink final : public tinsora::OutputSink {
public:
    void Write(std::string_view bytes) override {
        benchmark::DoNotOptimize(bytes.data());
        written += bytes.size();
    }
    std::size_t written = 0;
};

std::size_t OutputSize(tinsora::OutputStyle style = tinsora::OutputStyle::Classic) {
    DiscardSink sink;
    tinsora::WriteGradientText(FileOptions(style), sink);
    return sink.written;
}

// The 1 MB file in each style into a sink that passes the text on.
void BM_GradientTextFile(benchmark::State& state) {
    const auto style = state.range(0) ? tinsora::OutputStyle::Html5 : tinsora::OutputStyle::Classic;
    const auto options = FileOptions(style);
    for (auto _ : state) {
        DiscardSink sink;
        tinsora::WriteGradientText(options, sink);
        benchmark::DoNotOptimize(sink.written);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(OutputSize(style)));
    state.counters["output_MB"] = static_cast<double>(OutputSize(style)) / 1e6;
    state.SetLabel(state.range(0) ? "html5" : "classic");
}

// The same collected whole, as the window's pane takes it.
void BM_GradientTextFileCollected(benchmark::State& state) {
    const auto options = FileOptions();
    for (auto _ : state) {
        tinsora::StringSink sink;
        tinsora::WriteGradientText(options, sink);
        benchmark::DoNotOptimize(sink.Text().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(OutputSize()));
}

// The yardstick: copying the same number of bytes, into a buffer already in
// place and into a fresh one (as the generator's own buffer is).
void BM_CopyOutputBytes(benchmark::State& state) {
    const std::string from(OutputSize(), 'x');
    std::string to(OutputSize(), ' ');
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(OutputSize()));
}

void BM_CopyOutputBytesFresh(benchmark::State& state) {
    const std::string from(OutputSize(), 'x');
    for (auto _ : state) {
        std::unique_ptr<char[]> to(new char[from.size()]);
        std::memcpy(to.get(), from.data(), from.size());
        benchmark::DoNotOptimize(to.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(OutputSize()));
}

} // namespace

BENCHMARK(BM_GradientTextFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientTextFileCollected)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyOutputBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyOutputBytesFresh)->Unit(benchmark::kMillisecond);
