#include "color/Blend.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tinsora;

TEST(BlendRatio, IsTheNearestFloatToATenthOfThePosition) {
    EXPECT_EQ(BlendRatio(0), 0.0f);
    EXPECT_EQ(BlendRatio(5), 0.5f);
    EXPECT_EQ(BlendRatio(10), 1.0f);
    for (const int p : {1, 2, 3, 4, 6, 8})
        EXPECT_GT(static_cast<double>(BlendRatio(p)), p / 10.0) << p;
    for (const int p : {7, 9})
        EXPECT_LT(static_cast<double>(BlendRatio(p)), p / 10.0) << p;
    EXPECT_EQ(static_cast<double>(BlendRatio(7)), 0.699999988079071044921875);
    EXPECT_EQ(static_cast<double>(BlendRatio(9)), 0.89999997615814208984375);
}

namespace {

std::vector<ColorRGB> AllPositions(PackedColor c1, PackedColor c2) {
    std::vector<ColorRGB> out;
    for (int p = 0; p <= 10; ++p)
        out.push_back(BlendColors(c1, c2, p));
    return out;
}

std::vector<ColorRGB> Greys(std::initializer_list<int> levels) {
    std::vector<ColorRGB> out;
    for (const int v : levels)
        out.push_back({v, v, v});
    return out;
}

} // namespace

TEST(BlendColors, TruncatesEveryPositionBetweenBlackAndWhite) {
    EXPECT_EQ(AllPositions(PackColor(0, 0, 0), PackColor(255, 255, 255)),
              Greys({0, 25, 51, 76, 102, 127, 153, 178, 204, 229, 255}));
    // Not the mirror image: 203 at position 2 against 204 at position 8.
    EXPECT_EQ(AllPositions(PackColor(255, 255, 255), PackColor(0, 0, 0)),
              Greys({255, 229, 203, 178, 152, 127, 101, 76, 50, 25, 0}));
}

TEST(BlendColors, FollowsTheFloatRatioBelowSevenAndNineTenths) {
    const std::vector<ColorRGB> expected{{0, 0, 0},    {1, 10, 20},  {2, 20, 40},   {3, 30, 60},
                                         {4, 40, 80},  {5, 50, 100}, {6, 60, 120},  {6, 69, 139},
                                         {8, 80, 160}, {8, 89, 179}, {10, 100, 200}};
    EXPECT_EQ(AllPositions(PackColor(0, 0, 0), PackColor(10, 100, 200)), expected);
    EXPECT_EQ(BlendColors(PackColor(10, 10, 10), PackColor(0, 0, 0), 1), (ColorRGB{8, 8, 8}));
    EXPECT_EQ(BlendColors(PackColor(255, 0, 0), PackColor(0, 0, 255), 5), (ColorRGB{127, 0, 127}));
}

TEST(BlendColors, TheFaceColourCountsAsFifteenZeroZero) {
    for (int p = 0; p <= 10; ++p)
        EXPECT_EQ(BlendColors(kFaceColor, kFaceColor, p), (ColorRGB{15, 0, 0})) << p;
    EXPECT_EQ(BlendColors(kFaceColor, PackColor(15, 200, 0), 0), (ColorRGB{15, 0, 0}));
}

TEST(BlendColors, EndsGiveTheSourceColoursAndSharedChannelsStay) {
    const PackedColor a = PackColor(12, 34, 56);
    const PackedColor b = PackColor(250, 34, 3);
    EXPECT_EQ(BlendColors(a, b, 0), UnpackColor(a));
    EXPECT_EQ(BlendColors(a, b, 10), UnpackColor(b));
    for (int p = 0; p <= 10; ++p)
        EXPECT_EQ(BlendColors(a, b, p).Green, 34) << p;
}
