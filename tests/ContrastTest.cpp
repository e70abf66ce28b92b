#include "color/Contrast.h"

#include <gtest/gtest.h>

using namespace tinsora;

namespace {

ColorRGB Hex(unsigned rgb) {
    return {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xff),
            static_cast<int>(rgb & 0xff)};
}

constexpr unsigned kWhite = 0xFFFFFF;

} // namespace

TEST(Contrast, PublishedValues) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(Hex(0x000000)), 0.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Hex(kWhite)), 1.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Hex(0x000000), Hex(kWhite)), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Hex(kWhite), Hex(kWhite)), 1.0);
    EXPECT_NEAR(ContrastRatio(Hex(0x777777), Hex(kWhite)), 4.478, 0.0005);
    EXPECT_NEAR(ContrastRatio(Hex(0x767676), Hex(kWhite)), 4.542, 0.0005);
    // The lighter colour is L1 whichever comes first.
    EXPECT_DOUBLE_EQ(ContrastRatio(Hex(kWhite), Hex(0x777777)),
                     ContrastRatio(Hex(0x777777), Hex(kWhite)));
}

TEST(Contrast, ShownTruncatedAndJudgedOnWhatIsShown) {
    struct Case {
        unsigned fg;
        unsigned bg;
        const char* text;
        bool aa, aaa, large;
    };
    const Case cases[] = {
        {0x000000, kWhite, "21.00:1", true, true, true},
        {kWhite, kWhite, "1.00:1", false, false, false},
        {0x777777, kWhite, "4.47:1", false, false, true}, // 4.478: not rounded up to 4.48
        {0x767676, kWhite, "4.54:1", true, false, true},
        // Just below and just at each level.
        {0x0A6FFA, kWhite, "4.49:1", false, false, true},  // 4.4996
        {0x0172F0, kWhite, "4.50:1", true, false, true},   // 4.5002
        {0x4D51A0, kWhite, "6.99:1", true, false, true},   // 6.9997
        {0x145AA0, kWhite, "7.00:1", true, true, true},    // 7.0004
        {0x0099FF, kWhite, "2.99:1", false, false, false}, // 2.9998
        {0x059FDC, kWhite, "3.00:1", false, false, true},  // 3.0004
        {0x595959, kWhite, "7.00:1", true, true, true},
        {0xFFFF00, 0x0000FF, "8.00:1", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Contrast contrast = ContrastOf(Hex(c.fg), Hex(c.bg));
        EXPECT_EQ(ContrastRatioText(contrast), c.text);
        EXPECT_EQ(contrast.aa, c.aa);
        EXPECT_EQ(contrast.aaa, c.aaa);
        EXPECT_EQ(contrast.aaLarge, c.large);
    }
}

TEST(Contrast, TheShownValueNeverExceedsTheRatio) {
    for (int g = 0; g < 256; g += 3) {
        const ColorRGB grey{g, g, g};
        for (const unsigned bg : {0x000000u, 0xFFFFFFu, 0x3F63C8u}) {
            const double ratio = ContrastRatio(grey, Hex(bg));
            const int shown = ContrastOf(grey, Hex(bg)).hundredths;
            EXPECT_LE(shown / 100.0, ratio);
            EXPECT_GT((shown + 1) / 100.0, ratio);
        }
    }
}
