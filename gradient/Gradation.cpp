#include "gradient/Gradation.h"

#include <cstdlib>

namespace tinsora {

namespace {

// An unsigned 128-bit integer from two 64-bit halves, written out so that it
// builds the same on every compiler (MSVC has no __int128).
struct U128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};

int BitLength64(std::uint64_t v) {
    int n = 0;
    while (v != 0) {
        v >>= 1;
        ++n;
    }
    return n;
}

int BitLength(const U128& v) {
    return v.hi != 0 ? 64 + BitLength64(v.hi) : BitLength64(v.lo);
}

U128 ShiftLeft(const U128& v, int k) {
    if (k == 0)
        return v;
    if (k >= 64)
        return U128{v.lo << (k - 64), 0};
    return U128{(v.hi << k) | (v.lo >> (64 - k)), v.lo << k};
}

U128 ShiftRight(const U128& v, int k) {
    if (k == 0)
        return v;
    if (k >= 64)
        return U128{0, v.hi >> (k - 64)};
    return U128{v.hi >> k, (v.lo >> k) | (v.hi << (64 - k))};
}

int Compare(const U128& a, const U128& b) {
    if (a.hi != b.hi)
        return a.hi < b.hi ? -1 : 1;
    if (a.lo != b.lo)
        return a.lo < b.lo ? -1 : 1;
    return 0;
}

U128 Add(const U128& a, const U128& b) {
    U128 r{a.hi + b.hi, a.lo + b.lo};
    if (r.lo < a.lo)
        ++r.hi;
    return r;
}

U128 Subtract(const U128& a, const U128& b) { // requires a >= b
    U128 r{a.hi - b.hi, a.lo - b.lo};
    if (a.lo < b.lo)
        --r.hi;
    return r;
}

U128 LowBits(const U128& v, int k) { // v mod 2^k, 0 < k < 128
    if (k >= 64)
        return U128{k == 64 ? 0 : v.hi & ((std::uint64_t{1} << (k - 64)) - 1), v.lo};
    return U128{0, v.lo & ((std::uint64_t{1} << k) - 1)};
}

// m * f for f below 2^32.
U128 Multiply(std::uint64_t m, std::uint32_t f) {
    const std::uint64_t low = (m & 0xFFFFFFFFu) * f;
    const std::uint64_t high = (m >> 32) * f;
    return Add(U128{high >> 32, high << 32}, U128{0, low});
}

// v / f with the remainder, for f below 2^32 (long division in 32-bit limbs).
U128 Divide(const U128& v, std::uint32_t f, std::uint64_t& remainder) {
    const std::uint32_t limbs[4] = {
        static_cast<std::uint32_t>(v.hi >> 32), static_cast<std::uint32_t>(v.hi),
        static_cast<std::uint32_t>(v.lo >> 32), static_cast<std::uint32_t>(v.lo)};
    std::uint32_t q[4];
    std::uint64_t r = 0;
    for (int k = 0; k < 4; ++k) {
        const std::uint64_t cur = (r << 32) | limbs[k];
        q[k] = static_cast<std::uint32_t>(cur / f);
        r = cur % f;
    }
    remainder = r;
    return U128{(std::uint64_t{q[0]} << 32) | q[1], (std::uint64_t{q[2]} << 32) | q[3]};
}

// A value rounded to a 64-bit significand: significand * 2^exponent.
struct Rounded {
    std::uint64_t significand = 0;
    int exponent = 0;
};

// Rounds v (+ a nonzero fraction below one unit when sticky) to 64 significant
// bits, to nearest with ties to even.
Rounded RoundToSignificand(const U128& v, bool sticky) {
    const int length = BitLength(v);
    if (length <= 64)
        return Rounded{v.lo, 0};
    int shift = length - 64;
    std::uint64_t m = ShiftRight(v, shift).lo;
    const U128 rest = LowBits(v, shift);
    const U128 half = ShiftLeft(U128{0, 1}, shift - 1);
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
    const int k = 65 + BitLength64(nm) - BitLength64(dm);
    std::uint64_t remainder = 0;
    const U128 quotient =
        Divide(ShiftLeft(U128{0, dm}, k), static_cast<std::uint32_t>(nm), remainder);
    const Rounded q = RoundToSignificand(quotient, remainder != 0);
    const bool qNegative = (d < 0) != (n < 0);

    // p = q * i
    const Rounded p = RoundToSignificand(
        Multiply(q.significand, static_cast<std::uint32_t>(Magnitude(i))), false);
    const bool pNegative = qNegative != (i < 0);
    const int pExponent = q.exponent - k + p.exponent;

    // v = a - p, truncated toward zero; only its magnitude is wanted.
    if (pExponent >= 0) {
        const auto pm = static_cast<std::int64_t>(p.significand << pExponent);
        return std::llabs(std::int64_t{a} - (pNegative ? -pm : pm));
    }
    const int s = -pExponent;
    const U128 scaledA = ShiftLeft(U128{0, static_cast<std::uint64_t>(a)}, s);
    const U128 pm{0, p.significand};
    U128 difference;
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
