#include "color/Blend.h"

#include <algorithm>

namespace tinsora {

float BlendRatio(int position) {
    // Division of two exact floats rounds once, to the float nearest p / 10.
    return static_cast<float>(std::clamp(position, 0, 10)) / 10.0f;
}

namespace {

std::int32_t BlendChannel(std::int32_t a, std::int32_t b, float t) {
    const double td = t;
    return static_cast<std::int32_t>(a * (1.0 - td) + b * td);
}

} // namespace

ColorRGB BlendColors(PackedColor c1, PackedColor c2, int position) {
    const float t = BlendRatio(position);
    const ColorRGB a = UnpackColor(c1);
    const ColorRGB b = UnpackColor(c2);
    return ColorRGB{BlendChannel(a.Red, b.Red, t), BlendChannel(a.Green, b.Green, t),
                    BlendChannel(a.Blue, b.Blue, t)};
}

} // namespace tinsora
