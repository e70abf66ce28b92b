#pragma once

#include "color/User.h"

#include <string>

namespace tinsora {

/// WCAG 2.2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const ColorRGB& color);

/// WCAG 2.2 contrast ratio (L1 + 0.05) / (L2 + 0.05) of two colours, the lighter as L1: 1 to 21.
double ContrastRatio(const ColorRGB& a, const ColorRGB& b);

/// A contrast ratio as it is shown: hundredths truncated, never rounded up, and the levels
/// judged on that shown value, so that a ratio shown as passing passes.
struct Contrast {
    int hundredths = 100; ///< 447 for a ratio of 4.478...
    bool aa = false;      ///< at least 4.5:1, normal text
    bool aaa = false;     ///< at least 7:1, normal text
    bool aaLarge = false; ///< at least 3:1, large text

    friend bool operator==(const Contrast&, const Contrast&) = default;
};

/// The shown contrast of a foreground on a background (the order does not matter).
Contrast ContrastOf(const ColorRGB& foreground, const ColorRGB& background);

/// The ratio as "4.47:1".
std::string ContrastRatioText(const Contrast& contrast);

} // namespace tinsora
