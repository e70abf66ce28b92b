#include "ScreenPixels.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tinsora;

namespace {

ScreenArea Screen(int x, int y, int w, int h, double scale) {
    return {x,    y, w, h, static_cast<int>(w * scale + 0.5), static_cast<int>(h * scale + 0.5),
            scale};
}

} // namespace

TEST(ScreenPixels, ThePixelUnderAPointAtEachScale) {
    struct Case {
        double scale;
        double x, y;
        int px, py;
    };
    const Case cases[] = {
        {1.0, 0, 0, 0, 0},
        {1.0, 10, 7, 10, 7},
        {1.0, 10.99, 7.5, 10, 7},
        {1.0, 799, 599, 799, 599},
        {2.0, 10, 7, 20, 14},
        {2.0, 10.5, 7.5, 21, 15},
        {2.0, 799.75, 0.25, 1599, 0},
        // At 1.5 a device position p arrives as the logical p / 1.5.
        {1.5, 4.0 / 1.5, 5.0 / 1.5, 4, 5},
        {1.5, 3.0, 3.0, 4, 4}, // device 4.5 lies on pixel 4
        {1.5, 299.0 / 1.5, 1.0 / 1.5, 299, 1},
        {1.5, 799.9, 599.9, 1199, 899},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scale << " " << c.x << "," << c.y);
        const auto p = PixelAtPoint({Screen(0, 0, 800, 600, c.scale)}, c.x, c.y);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(*p, (ScreenPixel{0, c.px, c.py}));
    }
}

TEST(ScreenPixels, EveryDevicePixelOfAFractionalScaleIsReached) {
    const ScreenArea s = Screen(0, 0, 400, 300, 1.5);
    for (int p = 0; p < s.pixelWidth; ++p) {
        const auto hit = PixelAtPoint({s}, p / 1.5, 0);
        ASSERT_TRUE(hit.has_value());
        EXPECT_EQ(hit->x, p);
    }
}

TEST(ScreenPixels, ASecondScreenAtAnOffset) {
    const std::vector<ScreenArea> screens{Screen(0, 0, 1280, 1024, 1.0),
                                          Screen(1280, 200, 960, 540, 2.0)};
    EXPECT_EQ(PixelAtPoint(screens, 1279, 500), (ScreenPixel{0, 1279, 500}));
    EXPECT_EQ(PixelAtPoint(screens, 1280, 200), (ScreenPixel{1, 0, 0}));
    EXPECT_EQ(PixelAtPoint(screens, 1290.5, 210.25), (ScreenPixel{1, 21, 20}));
    EXPECT_EQ(PixelAtPoint(screens, 2239.9, 739.9), (ScreenPixel{1, 1919, 1079}));
    // Off every screen: beside the second one, beyond the right, negative, not a number.
    EXPECT_FALSE(PixelAtPoint(screens, 1300, 100).has_value());
    EXPECT_FALSE(PixelAtPoint(screens, 2240, 300).has_value());
    EXPECT_FALSE(PixelAtPoint(screens, -1, 0).has_value());
    EXPECT_FALSE(PixelAtPoint(screens, std::nan(""), 0).has_value());
    EXPECT_FALSE(PixelAtPoint({}, 0, 0).has_value());
}

TEST(ScreenPixels, WholePointsThatStandOnAPixel) {
    const ScreenArea one = Screen(100, 50, 800, 600, 1.0);
    EXPECT_EQ(PointOnPixel(one, 0, 0), (LogicalPoint{100, 50}));
    EXPECT_EQ(PointOnPixel(one, 799, 599), (LogicalPoint{899, 649}));
    const ScreenArea two = Screen(0, 0, 800, 600, 2.0);
    EXPECT_EQ(PointOnPixel(two, 20, 14), (LogicalPoint{10, 7}));
    EXPECT_FALSE(PointOnPixel(two, 21, 14).has_value()); // logical 10.5 is no whole point
    const ScreenArea half = Screen(0, 0, 800, 600, 1.5);
    for (int p = 0; p < 60; ++p) {
        const auto point = PointOnPixel(half, p, p);
        if (point) {
            EXPECT_EQ(PixelAtPoint({half}, point->x, point->y), (ScreenPixel{0, p, p}));
        } else {
            EXPECT_EQ(p % 3, 2) << p; // pixels 2, 5, 8, ... hold no whole logical point
        }
    }
}

TEST(ScreenPixels, ArrowStepsStayOnTheScreen) {
    const ScreenArea s = Screen(0, 0, 10, 10, 2.0);
    EXPECT_EQ(MovePixel(s, {0, 5, 5}, 1, 0), (ScreenPixel{0, 6, 5}));
    EXPECT_EQ(MovePixel(s, {0, 5, 5}, 0, -1), (ScreenPixel{0, 5, 4}));
    EXPECT_EQ(MovePixel(s, {0, 0, 0}, -1, -1), (ScreenPixel{0, 0, 0}));
    EXPECT_EQ(MovePixel(s, {0, 19, 19}, 1, 1), (ScreenPixel{0, 19, 19}));
}

TEST(ScreenPixels, MagnifierCellsAtTheEdges) {
    const ScreenArea s = Screen(0, 0, 100, 80, 1.0);
    const auto count = [&s](ScreenPixel centre) {
        int inside = 0;
        for (int row = 0; row < kMagnifierCells; ++row)
            for (int column = 0; column < kMagnifierCells; ++column)
                inside += MagnifierCell(s, centre, column, row).has_value() ? 1 : 0;
        return inside;
    };
    EXPECT_EQ(count({0, 50, 40}), 121);
    EXPECT_EQ(count({0, 0, 0}), 36);   // the top left corner: 6 x 6
    EXPECT_EQ(count({0, 99, 79}), 36); // the bottom right corner
    EXPECT_EQ(count({0, 2, 40}), 8 * 11);
    EXPECT_EQ(count({0, 97, 40}), 8 * 11);

    EXPECT_EQ(MagnifierCell(s, {0, 50, 40}, kMagnifierRadius, kMagnifierRadius),
              (ScreenPixel{0, 50, 40}));
    EXPECT_EQ(MagnifierCell(s, {0, 50, 40}, 0, 10), (ScreenPixel{0, 45, 45}));
    EXPECT_EQ(MagnifierCell(s, {0, 0, 0}, 5, 6), (ScreenPixel{0, 0, 1}));
    EXPECT_FALSE(MagnifierCell(s, {0, 0, 0}, 4, 5).has_value());
    EXPECT_FALSE(MagnifierCell(s, {0, 50, 40}, 11, 0).has_value());
}
