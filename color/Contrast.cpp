#include "color/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tinsora {

namespace {

double Linear(int channel) {
    const double c = std::clamp(channel, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const ColorRGB& color) {
    return 0.2126 * Linear(color.Red) + 0.7152 * Linear(color.Green) + 0.0722 * Linear(color.Blue);
}

double ContrastRatio(const ColorRGB& a, const ColorRGB& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    // (L1 + 0.05) / (L2 + 0.05) scaled by 20, so that black on white is 21 and
    // equal colours are 1 exactly, not a hair below.
    return (20.0 * std::max(la, lb) + 1.0) / (20.0 * std::min(la, lb) + 1.0);
}

Contrast ContrastOf(const ColorRGB& foreground, const ColorRGB& background) {
    Contrast c;
    c.hundredths = static_cast<int>(std::floor(ContrastRatio(foreground, background) * 100.0));
    c.aa = c.hundredths >= 450;
    c.aaa = c.hundredths >= 700;
    c.aaLarge = c.hundredths >= 300;
    return c;
}

std::string ContrastRatioText(const Contrast& contrast) {
    const int fraction = contrast.hundredths % 100;
    return std::to_string(contrast.hundredths / 100) + "." + (fraction < 10 ? "0" : "") +
           std::to_string(fraction) + ":1";
}

} // namespace tinsora
