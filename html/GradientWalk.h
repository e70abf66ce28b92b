#pragma once

#include "color/User.h"
#include "gradient/Gradation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace tinsora {

/// GradientStep(a, b, n, i) for i = 0, 1, 2, ... (n > 0) at the cost of an addition per
/// position: the exact value (a*n + (b-a)*i) / n is kept as a quotient and a remainder, and
/// only whole-number values, where the rounding of the extended-precision steps matters, go
/// through GradientStep itself.
class StepWalk {
public:
    StepWalk(std::int32_t a, std::int32_t b, std::int32_t n) : a_(a), b_(b), n_(n), quotient_(a) {
        const std::int64_t step = std::int64_t{b} - a;
        stepQuotient_ = step / n;
        stepRemainder_ = step % n;
        if (stepRemainder_ < 0) {
            stepRemainder_ += n;
            --stepQuotient_;
        }
    }

    /// GradientStep(a, b, n, i) at the current position i.
    std::int32_t Value() const {
        if (remainder_ != 0) // truncation toward zero of quotient_ + remainder_/n
            return static_cast<std::int32_t>(quotient_ >= 0 ? quotient_ : -(quotient_ + 1));
        if (a_ == b_)
            return a_;
        return static_cast<std::int32_t>(GradientStep(a_, b_, n_, i_));
    }

    /// Moves on to the next position.
    void Next() {
        ++i_;
        quotient_ += stepQuotient_;
        remainder_ += stepRemainder_;
        const bool carry = remainder_ >= n_;
        remainder_ -= carry ? n_ : 0;
        quotient_ += carry ? 1 : 0;
    }

private:
    std::int32_t a_, b_, n_;
    std::int32_t i_ = 0;
    std::int64_t quotient_;
    std::int64_t remainder_ = 0;
    std::int64_t stepQuotient_ = 0;
    std::int64_t stepRemainder_ = 0;
};

/// A set of colours: a bit for each of the 16,777,216. The channels' bits are interleaved in
/// a colour's place, so that colours near each other, as a gradient's are, have their bits
/// near each other too: the 2 MiB of bits are then read mostly from the cache. The bits come
/// zeroed from the system (calloc), so only the pages a gradient's colours fall in are ever
/// touched, not all 512.
class ColorSet {
public:
    ColorSet() : bits_(static_cast<std::uint64_t*>(std::calloc(kWords, sizeof(std::uint64_t)))) {
        if (!bits_)
            throw std::bad_alloc();
    }

    /// Adds a colour (channels 0..255); true when it was not in the set.
    bool Insert(const ColorRGB& c) {
        const std::uint32_t key = kSpread[static_cast<std::uint8_t>(c.Red)] << 2 |
                                  kSpread[static_cast<std::uint8_t>(c.Green)] << 1 |
                                  kSpread[static_cast<std::uint8_t>(c.Blue)];
        std::uint64_t& word = bits_.get()[key >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (key & 63);
        const bool added = (word & bit) == 0;
        word |= bit;
        return added;
    }

private:
    // Bit k of a channel at bit 3k.
    static constexpr std::array<std::uint32_t, 256> kSpread = [] {
        std::array<std::uint32_t, 256> spread{};
        for (std::uint32_t v = 0; v < 256; ++v)
            for (std::uint32_t k = 0; k < 8; ++k)
                spread[v] |= ((v >> k) & 1u) << (3 * k);
        return spread;
    }();

    static constexpr std::size_t kWords = std::size_t{1} << 18;
    struct Free {
        void operator()(std::uint64_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint64_t, Free> bits_;
};

} // namespace tinsora
