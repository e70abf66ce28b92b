#include "gradient/Gradation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace tinsora;

namespace {

constexpr bool kHasExtendedLongDouble = std::numeric_limits<long double>::digits == 64;

// The reference: the three operations in x87 extended precision.
std::int64_t ExtendedStep(int a, int b, std::int32_t n, std::int32_t i) {
    if (n == 0)
        return a;
    volatile long double q = (static_cast<long double>(a) - b) / n;
    volatile long double p = q * i;
    volatile long double v = a - p;
    return std::llabs(static_cast<long long>(v));
}

} // namespace

TEST(GradientStep, GivesTheListedValues) {
    const std::int64_t nine[] = {0, 28, 56, 85, 113, 141, 170, 198, 226, 255};
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(GradientStep(0, 255, 9, i), nine[i]) << "position " << i;
    EXPECT_EQ(GradientStep(0, 250, 7, 7), 249);
    EXPECT_EQ(GradientStep(0, 85, 119, 21), 14);
    EXPECT_EQ(GradientStep(0, 59, 70, 70), 58);
    EXPECT_EQ(GradientStep(255, 0, 1, 1), 0);
    EXPECT_EQ(GradientStep(255, 255, 3, 2), 255);
}

TEST(GradientStep, ZeroDivisorGivesTheStartValue) {
    EXPECT_EQ(GradientStep(17, 200, 0, 0), 17);
    EXPECT_EQ(GradientStep(17, 200, 0, 5), 17);
    EXPECT_EQ(detail::GradientStepExact(17, 200, 0, 5), 17);
}

TEST(GradientStep, CarriesOnPastTheEndAndNegativeValuesTurnPositive) {
    // Two steps past 255 over one step of 255, and below zero turned positive.
    EXPECT_EQ(GradientStep(0, 255, 1, 2), 510);
    EXPECT_EQ(GradientStep(255, 0, 1, 2), 255);
    EXPECT_EQ(GradientStep(0, 255, 1, INT32_MAX), 255LL * INT32_MAX);
}

TEST(GradientStep, MatchesExtendedPrecisionForEveryChannelPairAndSmallDivisor) {
    if (!kHasExtendedLongDouble)
        GTEST_SKIP() << "long double has no 64-bit significand here";
    long mismatches = 0;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            for (int n = 1; n <= 64; ++n)
                for (int i = 0; i <= n; ++i) {
                    const auto expected = ExtendedStep(a, b, n, i);
                    if (GradientStep(a, b, n, i) != expected && ++mismatches <= 10)
                        ADD_FAILURE() << a << " " << b << " " << n << " " << i;
                }
    EXPECT_EQ(mismatches, 0);
}

TEST(GradientStep, BothPathsMatchExtendedPrecisionOnRandomLargeCases) {
    if (!kHasExtendedLongDouble)
        GTEST_SKIP() << "long double has no 64-bit significand here";
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> channel(0, 255);
    std::uniform_int_distribution<std::int32_t> large(1, INT32_MAX);
    std::uniform_int_distribution<int> bits(0, 31);
    long mismatches = 0;
    for (int k = 0; k < 3'000'000; ++k) {
        const int a = channel(random);
        const int b = channel(random);
        // Mix magnitudes so that small, medium and huge divisors all occur.
        const std::int32_t n = std::max<std::int32_t>(1, large(random) >> bits(random));
        const std::int32_t i = (k % 3 == 0) ? n : large(random) >> bits(random);
        const auto expected = ExtendedStep(a, b, n, i);
        if (GradientStep(a, b, n, i) != expected ||
            detail::GradientStepExact(a, b, n, i) != expected) {
            if (++mismatches <= 10)
                ADD_FAILURE() << a << " " << b << " " << n << " " << i << " expected " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(GradientStep, ExactPathMatchesExtendedPrecisionOnSmallDivisors) {
    if (!kHasExtendedLongDouble)
        GTEST_SKIP() << "long double has no 64-bit significand here";
    long mismatches = 0;
    for (int a = 0; a < 256; a += 3)
        for (int b = 0; b < 256; ++b)
            for (int n = 1; n <= 40; ++n)
                for (int i = 0; i <= n + 2; ++i)
                    if (detail::GradientStepExact(a, b, n, i) != ExtendedStep(a, b, n, i) &&
                        ++mismatches <= 10)
                        ADD_FAILURE() << a << " " << b << " " << n << " " << i;
    EXPECT_EQ(mismatches, 0);
}
