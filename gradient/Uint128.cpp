#include "gradient/Uint128.h"

#include <algorithm>
#include <bit>

namespace tinsora {

int Compare(const Uint128& a, const Uint128& b) {
    if (a.hi != b.hi)
        return a.hi < b.hi ? -1 : 1;
    if (a.lo != b.lo)
        return a.lo < b.lo ? -1 : 1;
    return 0;
}

Uint128 Add(const Uint128& a, const Uint128& b) {
    Uint128 r{a.hi + b.hi, a.lo + b.lo};
    if (r.lo < a.lo)
        ++r.hi;
    return r;
}

Uint128 Subtract(const Uint128& a, const Uint128& b) {
    Uint128 r{a.hi - b.hi, a.lo - b.lo};
    if (a.lo < b.lo)
        --r.hi;
    return r;
}

Uint128 Multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
    const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return Uint128{p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32),
                   (mid << 32) | (p00 & 0xFFFFFFFFu)};
}

Uint128 Divide(const Uint128& v, std::uint32_t divisor, std::uint64_t& remainder) {
    // Long division in 32-bit limbs: each step divides a value below 2^64.
    std::uint64_t limbs[4] = {v.hi >> 32, v.hi & 0xFFFFFFFFu, v.lo >> 32, v.lo & 0xFFFFFFFFu};
    std::uint64_t r = 0;
    for (std::uint64_t& limb : limbs) {
        const std::uint64_t current = (r << 32) | limb;
        limb = current / divisor;
        r = current % divisor;
    }
    remainder = r;
    return Uint128{(limbs[0] << 32) | limbs[1], (limbs[2] << 32) | limbs[3]};
}

Uint128 ShiftLeft(const Uint128& v, int k) {
    if (k == 0)
        return v;
    if (k >= 64)
        return Uint128{v.lo << (k - 64), 0};
    return Uint128{(v.hi << k) | (v.lo >> (64 - k)), v.lo << k};
}

Uint128 ShiftRight(const Uint128& v, int k) {
    if (k == 0)
        return v;
    if (k >= 64)
        return Uint128{0, v.hi >> (k - 64)};
    return Uint128{v.hi >> k, (v.lo >> k) | (v.hi << (64 - k))};
}

Uint128 LowBits(const Uint128& v, int k) {
    if (k >= 64)
        return Uint128{k == 64 ? 0 : v.hi & ((std::uint64_t{1} << (k - 64)) - 1), v.lo};
    return Uint128{0, v.lo & ((std::uint64_t{1} << k) - 1)};
}

int BitLength(const Uint128& v) {
    return v.hi != 0 ? 64 + static_cast<int>(std::bit_width(v.hi))
                     : static_cast<int>(std::bit_width(v.lo));
}

std::string ToDecimal(Uint128 v) {
    if (v.hi == 0)
        return std::to_string(v.lo);
    std::string digits;
    while (v.hi != 0 || v.lo != 0) {
        std::uint64_t digit = 0;
        v = Divide(v, 10, digit);
        digits.push_back(static_cast<char>('0' + digit));
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

} // namespace tinsora
