#pragma once

#include <cstdint>
#include <string>

namespace tinsora {

/// An unsigned 128-bit integer from two 64-bit halves, written out so that it
/// builds the same on every compiler (MSVC has no __int128).
struct Uint128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;

    friend bool operator==(const Uint128&, const Uint128&) = default;
};

/// -1, 0 or 1 as a is below, equal to or above b.
int Compare(const Uint128& a, const Uint128& b);
/// a + b, wrapping past 2^128.
Uint128 Add(const Uint128& a, const Uint128& b);
/// a - b for a >= b.
Uint128 Subtract(const Uint128& a, const Uint128& b);
/// The full 128-bit product of two 64-bit values.
Uint128 Multiply(std::uint64_t a, std::uint64_t b);
/// v / divisor for a divisor in 1..2^32 - 1, with the remainder.
Uint128 Divide(const Uint128& v, std::uint32_t divisor, std::uint64_t& remainder);
/// v shifted left by k (0..127) bits.
Uint128 ShiftLeft(const Uint128& v, int k);
/// v shifted right by k (0..127) bits.
Uint128 ShiftRight(const Uint128& v, int k);
/// v mod 2^k for k in 1..127.
Uint128 LowBits(const Uint128& v, int k);
/// The number of significant bits (0 for zero).
int BitLength(const Uint128& v);
/// Decimal digits of v.
std::string ToDecimal(Uint128 v);

} // namespace tinsora
