#include "gradient/Gradation.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

struct Case {
    std::int32_t a, b, n, i;
};

// The arguments a picture or a table actually passes: every position of
// gradients over small divisors, both whole-number and fractional results.
std::vector<Case> TypicalCases() {
    std::vector<Case> cases;
    for (int a = 0; a < 256; a += 51)
        for (int b = 0; b < 256; b += 17)
            for (int n = 1; n <= 70; n += 3)
                for (int i = 0; i <= n; ++i)
                    cases.push_back({a, b, n, i});
    return cases;
}

std::int64_t LongDoubleStep(int a, int b, std::int32_t n, std::int32_t i) {
    if (n == 0)
        return a;
    const long double q = (static_cast<long double>(a) - b) / n;
    const long double p = q * i;
    const long double v = a - p;
    return std::llabs(static_cast<long long>(v));
}

template <typename F> void Run(benchmark::State& state, F step) {
    const auto cases = TypicalCases();
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const Case& c : cases)
            sum += step(c.a, c.b, c.n, c.i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cases.size()));
}

void BM_GradientStep(benchmark::State& state) {
    Run(state, tinsora::GradientStep);
}
void BM_GradientStepExactOnly(benchmark::State& state) {
    Run(state, tinsora::detail::GradientStepExact);
}
void BM_GradientStepLongDouble(benchmark::State& state) {
    Run(state, LongDoubleStep);
}

} // namespace

BENCHMARK(BM_GradientStep);
BENCHMARK(BM_GradientStepExactOnly);
BENCHMARK(BM_GradientStepLongDouble);
