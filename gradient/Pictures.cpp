#include "gradient/Pictures.h"

#include <algorithm>
#include <array>

namespace tinsora {

namespace {

constexpr int kSegmentWidth = kBaseMapWidth / 6;
constexpr int kBandHeight = kBaseMapHeight / 2;
constexpr int kSquareDivisor = kSquareSize - 1;

// Red, yellow, green, cyan, blue, magenta and red again: the six hue segments run between them.
constexpr std::array<ColorRGB, 7> kHueKeys{
    ColorRGB{255, 0, 0}, ColorRGB{255, 255, 0}, ColorRGB{0, 255, 0}, ColorRGB{0, 255, 255},
    ColorRGB{0, 0, 255}, ColorRGB{255, 0, 255}, ColorRGB{255, 0, 0}};

std::int32_t Step(std::int32_t a, std::int32_t b, int n, int i) {
    return static_cast<std::int32_t>(GradientStep(a, b, n, i));
}

ColorRGB Blend(const ColorRGB& a, const ColorRGB& b, int n, int i) {
    return ColorRGB{Step(a.Red, b.Red, n, i), Step(a.Green, b.Green, n, i),
                    Step(a.Blue, b.Blue, n, i)};
}

ColorRGB BaseMapHue(int x) {
    const int s = x / kSegmentWidth;
    if (s >= 6)
        return kHueKeys[6];
    return Blend(kHueKeys[s], kHueKeys[s + 1], kSegmentWidth, x - s * kSegmentWidth);
}

// A channel at row y of a column whose hue has the given channel: band 0 runs from white to
// the hue, band 1 from the hue toward black, and anything lower is black.
std::int32_t BaseMapChannel(std::int32_t hue, int y) {
    const int band = y / kBandHeight;
    const int l = y - band * kBandHeight;
    if (band == 0)
        return Step(255, hue, kBandHeight, l);
    if (band == 1)
        return Step(hue, 0, kBandHeight, l);
    return 0;
}

} // namespace

ColorRGB BaseMapColor(int x, int y) {
    const ColorRGB hue = BaseMapHue(std::max(x, 0));
    y = std::max(y, 0);
    return ColorRGB{BaseMapChannel(hue.Red, y), BaseMapChannel(hue.Green, y),
                    BaseMapChannel(hue.Blue, y)};
}

ColorRGB StripColor(int x, int lastGradColor, const GradientColors& colors) {
    const int b = std::clamp(lastGradColor, 1, 3);
    const int n = kStripWidth / b;
    x = std::max(x, 0);
    const int s = x / n;
    if (s >= b)
        return colors[b];
    return Blend(colors[s], colors[s + 1], n, x - s * n);
}

ColorRGB SquareColor(int x, int y, const GradientColors& colors) {
    x = std::clamp(x, 0, kSquareDivisor);
    y = std::clamp(y, 0, kSquareDivisor);
    const ColorRGB top = Blend(colors[0], colors[1], kSquareDivisor, x);
    const ColorRGB bottom = Blend(colors[2], colors[3], kSquareDivisor, x);
    return Blend(top, bottom, kSquareDivisor, y);
}

void DrawBaseColorMap(std::uint32_t* pixels, std::ptrdiff_t stride) {
    // A channel of the map depends only on the hue's channel and the row, and the hues share
    // few channel values (34), so each value's column is worked out once: a twentieth of the
    // steps a pixel-by-pixel pass would take.
    using ChannelColumn = std::array<std::uint8_t, kBaseMapHeight>;
    std::array<ChannelColumn, 256> columns;
    std::array<bool, 256> known{};
    auto column = [&](std::int32_t c) -> const ChannelColumn& {
        if (!known[c]) {
            for (int y = 0; y < kBaseMapHeight; ++y)
                columns[c][y] = static_cast<std::uint8_t>(BaseMapChannel(c, y));
            known[c] = true;
        }
        return columns[c];
    };

    std::array<const ChannelColumn*, kBaseMapWidth> reds;
    std::array<const ChannelColumn*, kBaseMapWidth> greens;
    std::array<const ChannelColumn*, kBaseMapWidth> blues;
    for (int x = 0; x < kBaseMapWidth; ++x) {
        const ColorRGB hue = BaseMapHue(x);
        reds[x] = &column(hue.Red);
        greens[x] = &column(hue.Green);
        blues[x] = &column(hue.Blue);
    }
    for (int y = 0; y < kBaseMapHeight; ++y) {
        std::uint32_t* row = pixels + y * stride;
        for (int x = 0; x < kBaseMapWidth; ++x)
            row[x] = 0xFF000000u | (std::uint32_t{(*reds[x])[y]} << 16) |
                     (std::uint32_t{(*greens[x])[y]} << 8) | (*blues[x])[y];
    }
}

void DrawColorStrip(std::uint32_t* pixels, std::ptrdiff_t stride, int lastGradColor,
                    const GradientColors& colors) {
    for (int x = 0; x < kStripWidth; ++x)
        pixels[x] = PixelRGB32(StripColor(x, lastGradColor, colors));
    for (int y = 1; y < kStripHeight; ++y)
        std::copy(pixels, pixels + kStripWidth, pixels + y * stride);
}

void DrawCornerGradient(std::uint32_t* pixels, std::ptrdiff_t stride,
                        const GradientColors& colors) {
    std::array<ColorRGB, kSquareSize> tops;
    std::array<ColorRGB, kSquareSize> bottoms;
    for (int x = 0; x < kSquareSize; ++x) {
        tops[x] = Blend(colors[0], colors[1], kSquareDivisor, x);
        bottoms[x] = Blend(colors[2], colors[3], kSquareDivisor, x);
    }
    for (int y = 0; y < kSquareSize; ++y) {
        std::uint32_t* row = pixels + y * stride;
        for (int x = 0; x < kSquareSize; ++x)
            row[x] = PixelRGB32(Blend(tops[x], bottoms[x], kSquareDivisor, y));
    }
}

} // namespace tinsora
