#include "gradient/Pictures.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace tinsora {
// Lets failures print colours as (r, g, b).
void PrintTo(const ColorRGB& c, std::ostream* os) {
    *os << "(" << c.Red << ", " << c.Green << ", " << c.Blue << ")";
}
} // namespace tinsora

using namespace tinsora;

namespace {

struct PointColor {
    int x;
    int y;
    ColorRGB color;
};

constexpr ColorRGB kRed{255, 0, 0};
constexpr ColorRGB kWhite{255, 255, 255};
constexpr ColorRGB kGreen{0, 255, 0};
constexpr ColorRGB kBlue{0, 0, 255};
constexpr ColorRGB kBlack{0, 0, 0};

// Colours with no symmetry, so that a swapped corner or segment shows.
constexpr GradientColors kOddColors{ColorRGB{12, 200, 77}, ColorRGB{250, 3, 140},
                                    ColorRGB{90, 90, 255}, ColorRGB{0, 171, 33}};

} // namespace

TEST(BaseMapColor, GivesTheListedColours) {
    const PointColor cases[] = {{0, 0, kWhite},
                                {0, 14, {255, 17, 17}},
                                {0, 15, kRed},
                                {0, 29, {17, 0, 0}},
                                {16, 14, {255, 131, 17}},
                                {16, 15, {255, 123, 0}},
                                {16, 29, {17, 8, 0}},
                                {33, 15, {255, 255, 0}},
                                {66, 22, {0, 136, 0}},
                                {99, 15, {0, 255, 255}},
                                {100, 7, {136, 251, 255}},
                                {132, 15, kBlue},
                                {165, 15, {255, 0, 255}},
                                {197, 15, {255, 0, 7}},
                                {198, 15, kRed},
                                {199, 15, kRed},
                                {200, 15, kRed}};
    for (const auto& [x, y, color] : cases)
        EXPECT_EQ(BaseMapColor(x, y), color) << "at (" << x << ", " << y << ")";
}

TEST(BaseMapColor, TopRowIsWhiteAndRowFifteenIsAFullHue) {
    for (int x = 0; x <= kBaseMapWidth; ++x) {
        EXPECT_EQ(BaseMapColor(x, 0), kWhite) << "column " << x;
        const ColorRGB hue = BaseMapColor(x, 15);
        EXPECT_TRUE(hue.Red == 255 || hue.Green == 255 || hue.Blue == 255) << "column " << x;
    }
}

TEST(BaseMapColor, DraggingPastTheEdgesPicksBlackBelowAndRedHueRight) {
    for (int x : {0, 16, 100, 200, kBaseMapWidth})
        EXPECT_EQ(BaseMapColor(x, kBaseMapHeight), kBlack) << "column " << x;
    for (int y = 0; y <= kBaseMapHeight; ++y) {
        EXPECT_EQ(BaseMapColor(kBaseMapWidth, y), BaseMapColor(198, y)) << "row " << y;
        EXPECT_EQ(BaseMapColor(kBaseMapWidth, y), BaseMapColor(0, y)) << "row " << y;
    }
    EXPECT_EQ(BaseMapColor(-4, -9), kWhite);
    EXPECT_EQ(BaseMapColor(-1, 16), BaseMapColor(0, 16));
}

TEST(StripColor, GivesTheListedColoursForTwoThreeAndFourColours) {
    struct Case {
        int lastGradColor;
        int x;
        ColorRGB color;
    };
    const Case cases[] = {{1, 0, kRed},
                          {1, 119, {255, 126, 126}},
                          {1, 238, {255, 253, 253}},
                          {2, 0, kRed},
                          {2, 119, kWhite},
                          {2, 238, kGreen},
                          {3, 0, kRed},
                          {3, 118, {129, 255, 129}},
                          {3, 158, kGreen},
                          {3, 237, kBlue},
                          {3, 238, kBlue}};
    for (const auto& [last, x, color] : cases)
        EXPECT_EQ(StripColor(x, last, kInitialGradientColors), color)
            << (last + 1) << " colours, column " << x;
}

TEST(StripColor, ColumnsRightOfTheLastSegmentTakeTheLastColourInUse) {
    EXPECT_EQ(StripColor(238, 2, kOddColors), kOddColors[2]);
    EXPECT_EQ(StripColor(237, 3, kOddColors), kOddColors[3]);
    EXPECT_EQ(StripColor(238, 3, kOddColors), kOddColors[3]);
    // Segment starts are the colours themselves.
    EXPECT_EQ(StripColor(79, 3, kOddColors), kOddColors[1]);
    EXPECT_EQ(StripColor(158, 3, kOddColors), kOddColors[2]);
}

TEST(StripColor, RoundsTheStepBeforeMultiplying) {
    // 0 toward 85 over 119 columns: column 21 comes out 14, not the exact 15.
    const GradientColors colors{ColorRGB{0, 0, 0}, ColorRGB{85, 85, 85}, kWhite, kWhite};
    EXPECT_EQ(StripColor(21, 2, colors), (ColorRGB{14, 14, 14}));
}

TEST(StripColor, CountOutsideTwoToFourIsHeldToIt) {
    EXPECT_EQ(StripColor(119, 0, kInitialGradientColors), (ColorRGB{255, 126, 126}));
    EXPECT_EQ(StripColor(118, 9, kInitialGradientColors), (ColorRGB{129, 255, 129}));
}

TEST(SquareColor, GivesTheListedColours) {
    const PointColor cases[] = {{0, 0, kRed},
                                {70, 0, kWhite},
                                {0, 70, kGreen},
                                {70, 70, kBlue},
                                {35, 0, {255, 127, 127}},
                                {0, 35, {127, 127, 0}},
                                {35, 35, {127, 127, 127}},
                                {10, 60, {36, 192, 36}}};
    for (const auto& [x, y, color] : cases)
        EXPECT_EQ(SquareColor(x, y, kInitialGradientColors), color)
            << "at (" << x << ", " << y << ")";
}

TEST(SquareColor, BlendsHorizontallyFirstAndTruncatesBetween) {
    // Top 0 -> 59 and bottom 0 -> 0: the top right corner comes out 58, not 59.
    const GradientColors colors{kBlack, ColorRGB{59, 59, 59}, kBlack, kBlack};
    EXPECT_EQ(SquareColor(70, 0, colors), (ColorRGB{58, 58, 58}));
    // Bottom right 3, the rest 0: across first, (35, 47) blends 0 toward 1 and stays 0;
    // down first it would blend 0 toward 2 and give 1.
    const GradientColors order{kBlack, kBlack, kBlack, ColorRGB{3, 3, 3}};
    EXPECT_EQ(SquareColor(35, 47, order), kBlack);
}

TEST(SquareColor, PositionsOutsideAreHeldToTheEdges) {
    EXPECT_EQ(SquareColor(71, 200, kOddColors), SquareColor(70, 70, kOddColors));
    EXPECT_EQ(SquareColor(-3, 30, kOddColors), SquareColor(0, 30, kOddColors));
}

namespace {

struct Picture {
    const char* name;
    int width;
    int height;
    std::function<void(std::uint32_t*, std::ptrdiff_t)> draw;
    std::function<ColorRGB(int, int)> color;
};

constexpr std::uint32_t kUntouched = 0x5A5A5A5Au;

std::vector<Picture> AllPictures(const GradientColors& colors) {
    std::vector<Picture> pictures{
        {"base map", kBaseMapWidth, kBaseMapHeight, DrawBaseColorMap, BaseMapColor},
        {"square", kSquareSize, kSquareSize,
         [colors](std::uint32_t* p, std::ptrdiff_t s) { DrawCornerGradient(p, s, colors); },
         [colors](int x, int y) { return SquareColor(x, y, colors); }}};
    for (int last = 1; last <= 3; ++last)
        pictures.push_back({"strip", kStripWidth, kStripHeight,
                            [colors, last](std::uint32_t* p, std::ptrdiff_t s) {
                                DrawColorStrip(p, s, last, colors);
                            },
                            [colors, last](int x, int) { return StripColor(x, last, colors); }});
    return pictures;
}

} // namespace

TEST(DrawPictures, EveryPixelIsTheColourAtItsPointAndNothingOutsideIsWritten) {
    for (const GradientColors& colors : {kInitialGradientColors, kOddColors})
        for (const Picture& picture : AllPictures(colors))
            for (const std::ptrdiff_t padding : {0, 13}) {
                const std::ptrdiff_t stride = picture.width + padding;
                // Two spare rows after the picture catch a row drawn too many.
                std::vector<std::uint32_t> pixels((picture.height + 2) * stride, kUntouched);
                picture.draw(pixels.data(), stride);
                long wrong = 0;
                for (int y = 0; y < picture.height + 2; ++y)
                    for (int x = 0; x < stride; ++x) {
                        const bool inside = x < picture.width && y < picture.height;
                        const std::uint32_t expected =
                            inside ? PixelRGB32(picture.color(x, y)) : kUntouched;
                        if (pixels[y * stride + x] != expected && ++wrong <= 5)
                            ADD_FAILURE() << picture.name << " stride " << stride << " at (" << x
                                          << ", " << y << "): " << std::hex
                                          << pixels[y * stride + x] << " instead of " << expected;
                    }
                EXPECT_EQ(wrong, 0) << picture.name << " stride " << stride;
            }
}

TEST(DrawPictures, PixelsHoldTheListedColoursAsOpaqueRgb) {
    EXPECT_EQ(PixelRGB32(ColorRGB{0x12, 0x34, 0x56}), 0xFF123456u);

    std::vector<std::uint32_t> map(kBaseMapWidth * kBaseMapHeight);
    DrawBaseColorMap(map.data(), kBaseMapWidth);
    EXPECT_EQ(map[15 * kBaseMapWidth + 16], 0xFFFF7B00u);
    EXPECT_EQ(map[29 * kBaseMapWidth + 0], 0xFF110000u);
    EXPECT_EQ(map[7 * kBaseMapWidth + 100], 0xFF88FBFFu);
    EXPECT_EQ(map[15 * kBaseMapWidth + 200], 0xFFFF0000u);

    std::vector<std::uint32_t> strip(kStripWidth * kStripHeight);
    DrawColorStrip(strip.data(), kStripWidth, 3, kInitialGradientColors);
    EXPECT_EQ(strip[118], 0xFF81FF81u);
    EXPECT_EQ(strip[14 * kStripWidth + 238], 0xFF0000FFu);

    std::vector<std::uint32_t> square(kSquareSize * kSquareSize);
    DrawCornerGradient(square.data(), kSquareSize, kInitialGradientColors);
    EXPECT_EQ(square[0], 0xFFFF0000u);
    EXPECT_EQ(square[70], 0xFFFFFFFFu);
    EXPECT_EQ(square[70 * kSquareSize], 0xFF00FF00u);
    EXPECT_EQ(square[70 * kSquareSize + 70], 0xFF0000FFu);
    EXPECT_EQ(square[60 * kSquareSize + 10], 0xFF24C024u);
}
