#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "html/GradientText.h"
#include "text/Cp932.h"

namespace {

// About 1 MB of code page 932 text, Japanese and ASCII mixed, in lines of
// about 80 bytes that never split a double-byte character.
const std::string& MixedFile() {
    static const std::string bytes = [] {
        const std::string words[] = {tinsora::Utf8ToCp932("グラデーション文字"), "gradient ",
                                     tinsora::Utf8ToCp932("は一文字ずつ"),       "<FONT> ",
                                     tinsora::Utf8ToCp932("色を変えて"),         "HTML 4.0 ",
                                     tinsora::Utf8ToCp932("表示します。"),       "Tinsora, ",
                                     tinsora::Utf8ToCp932("ﾃｷｽﾄﾌｧｲﾙ"),           "1234567890 "};
        std::string text;
        std::string line;
        for (std::size_t k = 0; text.size() < (1u << 20); ++k) {
            const std::string& w = words[(k * 7) % std::size(words)];
            if (line.size() + w.size() > 80) {
                text += line;
                text += "\r\n";
                line.clear();
            }
            line += w;
        }
        return text;
    }();
    return bytes;
}

tinsora::GradientTextOptions FileOptions() {
    tinsora::GradientTextOptions o;
    o.source = tinsora::GradientTextSource::File;
    o.fileBytes = MixedFile();
    return o;
}

std::size_t OutputSize() {
    static const std::size_t size =
        tinsora::MakeGradientText(FileOptions()).htmlLines.Joined().size();
    return size;
}

void BM_GradientTextFile(benchmark::State& state) {
    const auto options = FileOptions();
    for (auto _ : state) {
        auto result = tinsora::MakeGradientText(options);
        benchmark::DoNotOptimize(result.htmlLines.Joined().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(OutputSize()));
    state.counters["output_MB"] = static_cast<double>(OutputSize()) / 1e6;
}

void BM_GradientTextFileStreamed(benchmark::State& state) {
    const auto options = FileOptions();
    for (auto _ : state) {
        std::size_t bytes = 0;
        tinsora::StreamGradientText(options, "\n",
                                    [&](std::string_view text) { bytes += text.size(); });
        benchmark::DoNotOptimize(bytes);
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

BENCHMARK(BM_GradientTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientTextFileStreamed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyOutputBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyOutputBytesFresh)->Unit(benchmark::kMillisecond);
