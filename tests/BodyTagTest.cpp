#include "html/BodyTag.h"

#include <gtest/gtest.h>

using namespace tinsora;

TEST(BodyTag, StartsWhiteOnBlack) {
    EXPECT_EQ(MakeBodyTag(kInitialBodyColors),
              "<BODY BgColor=\"#FFFFFF\" Text=\"#000000\" Link=\"#000000\" Vlink=\"#000000\" "
              "Alink=\"#000000\">");
}

TEST(BodyTag, EachRoleHasItsOwnAttributeInOrder) {
    BodyColors colors = kInitialBodyColors;
    BodyColor(colors, BodyRole::Link) = ColorRGB{255, 128, 0};
    EXPECT_EQ(MakeBodyTag(colors),
              "<BODY BgColor=\"#FFFFFF\" Text=\"#000000\" Link=\"#FF8000\" Vlink=\"#000000\" "
              "Alink=\"#000000\">");

    const BodyColors distinct{ColorRGB{1, 2, 3}, ColorRGB{4, 5, 6}, ColorRGB{7, 8, 9},
                              ColorRGB{10, 11, 12}, ColorRGB{0xAB, 0xCD, 0xEF}};
    EXPECT_EQ(MakeBodyTag(distinct),
              "<BODY BgColor=\"#010203\" Text=\"#040506\" Link=\"#070809\" Vlink=\"#0A0B0C\" "
              "Alink=\"#ABCDEF\">");
}

TEST(BodyTag, TheClassicStyleWritesTheTagAloneWhateverTheLineMode) {
    BodyTagOptions o;
    o.lineMode = false;
    StringSink sink;
    WriteBodyTag(o, sink);
    EXPECT_EQ(sink.Text(), MakeBodyTag(kInitialBodyColors));
}
