#pragma once

#include "color/User.h"

#include <array>
#include <cstdint>

namespace tinsora {

/// The four gradient colours, colour 1 to colour 4 at indexes 0..3.
using GradientColors = std::array<ColorRGB, 4>;

/// Red, white, green and blue: the gradient colours at start.
inline constexpr GradientColors kInitialGradientColors{ColorRGB{255, 0, 0}, ColorRGB{255, 255, 255},
                                                       ColorRGB{0, 255, 0}, ColorRGB{0, 0, 255}};

/// One channel of a linear gradient: |trunc(a - ((a - b) / n) * i)| with each of
/// the three operations rounded to a 64-bit significand (nearest, ties to even),
/// as x87 extended precision does. a and b lie in 0..255; n == 0 gives a.
std::int64_t GradientStep(std::int32_t a, std::int32_t b, std::int32_t n, std::int32_t i);

namespace detail {
/// The exact three-rounding computation without the shortcut GradientStep takes
/// when the exact result is not a whole number; exposed for tests.
std::int64_t GradientStepExact(std::int32_t a, std::int32_t b, std::int32_t n, std::int32_t i);
} // namespace detail

} // namespace tinsora
