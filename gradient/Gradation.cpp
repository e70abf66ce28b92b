#include "gradient/Gradation.h"

#include "gradient/Uint128.h"

#include <bit>
#include <cstdlib>

namespace tinsora {

namespace {

// A value rounded to a 64-bit significand: significand * 2^exponent.
struct Rounded {
    std::uint64_t significand = 0;
    int exponent = 0;
};

// Rounds v (+ a nonzero fraction below one unit when sticky) to 64 significant
// bits, to nearest with ties to even.
Rounded RoundToSignificand(const Uint128& v, bool sticky) {
    const int length = BitLength(v);
    if (length <= 64)
        return Rounded{v.lo, 0};
    int shift = length - 64;
    std::uint64_t m = ShiftRight(v, shift).lo;
    const Uint128 rest = LowBits(v, shift);
    const Uint128 half = ShiftLeft(Uint128{0, 1}, shift - 1);
    const int c = Compare(rest, half);
    const bool up = c > 0 || (c == 0 && (sticky || (m & 1) != 0));
    if (up) {
        ++m;
        if (m == 0) { // carried out of 64 bits
            m = std::uint64_t{1} << 63;
            ++shift;
        }
    }
    return Rounded{m, shift};
}

std::uint64_t Magnitude(std::int64_t v) {
    return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

} // namespace

namespace detail {

std::int64_t GradientStepExact(std::int32_t a, std::int32_t b, std::int32_t n, std::int32_t i) {
    const std::int64_t d = std::int64_t{a} - b;
    if (n == 0 || d == 0 || i == 0)
        return std::llabs(a);

    // q = (a - b) / n
    const std::uint64_t dm = Magnitude(d);
    const std::uint64_t nm = Magnitude(n);
    const int k = 65 + static_cast<int>(std::bit_width(nm)) - static_cast<int>(std::bit_width(dm));
    std::uint64_t remainder = 0;
    const Uint128 quotient =
        Divide(ShiftLeft(Uint128{0, dm}, k), static_cast<std::uint32_t>(nm), remainder);
    const Rounded q = RoundToSignificand(quotient, remainder != 0);
    const bool qNegative = (d < 0) != (n < 0);

    // p = q * i
    const Rounded p = RoundToSignificand(Multiply(q.significand, Magnitude(i)), false);
    const bool pNegative = qNegative != (i < 0);
    const int pExponent = q.exponent - k + p.exponent;

    // v = a - p, truncated toward zero; only its magnitude is wanted.
    if (pExponent >= 0) {
        const auto pm = static_cast<std::int64_t>(p.significand << pExponent);
        return std::llabs(std::int64_t{a} - (pNegative ? -pm : pm));
    }
    const int s = -pExponent;
    const Uint128 scaledA = ShiftLeft(Uint128{0, static_cast<std::uint64_t>(a)}, s);
    const Uint128 pm{0, p.significand};
    Uint128 difference;
    if (pNegative)
        difference = Add(scaledA, pm);
    else
        difference = Compare(scaledA, pm) >= 0 ? Subtract(scaledA, pm) : Subtract(pm, scaledA);
    const Rounded v = RoundToSignificand(difference, false);
    const int e = v.exponent - s;
    if (e >= 0)
        return static_cast<std::int64_t>(v.significand << e);
    if (-e >= 64)
        return 0;
    return static_cast<std::int64_t>(v.significand >> -e);
}

} // namespace detail

std::int64_t GradientStep(std::int32_t a, std::int32_t b, std::int32_t n, std::int32_t i) {
    if (n == 0)
        return a;
    // The exact value is (a*n - (a-b)*i) / n. Each rounding moves it by less
    // than (|(a-b)*i| + 256*|n|) * 2^-62 / |n| < 1/|n|, so when the exact value
    // is not a whole number the rounded one truncates to the same integer and
    // only whole-number results need the step-by-step computation.
    const std::int64_t d = std::int64_t{a} - b;
    const std::int64_t numerator = std::int64_t{a} * n - d * i;
    if (numerator % n != 0)
        return std::llabs(numerator / n);
    return detail::GradientStepExact(a, b, n, i);
}

} // namespace tinsora
