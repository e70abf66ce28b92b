#include "color/CssColor.h"

#include "color/Notation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace tinsora;

namespace {

ColorRGB Parsed(const std::string& text) {
    const CssColorResult r = ParseCssColor(text);
    EXPECT_TRUE(r.color.has_value()) << text << ": " << r.error;
    return r.color.value_or(ColorRGB{-1, -1, -1});
}

std::size_t Index(const ColorRGB& c) {
    return static_cast<std::size_t>(c.Red) << 16 | static_cast<std::size_t>(c.Green) << 8 |
           static_cast<std::size_t>(c.Blue);
}

// Every colour that some whole-number hsl() triple converts to.
std::vector<bool> ReachableByHsl() {
    std::vector<bool> reachable(1u << 24);
    for (int h = 0; h < 360; ++h)
        for (int s = 0; s <= 100; ++s)
            for (int l = 0; l <= 100; ++l)
                reachable[Index(HslToRgb(h, s, l))] = true;
    return reachable;
}

} // namespace

TEST(CssColor, ReadsWhatACssAuthorTypes) {
    const std::pair<const char*, ColorRGB> cases[] = {
        {"#f80", {255, 136, 0}},
        {"#F80F", {255, 136, 0}},
        {"#FF8000", {255, 128, 0}},
        {"#ff8000ff", {255, 128, 0}},
        {"ff8000", {255, 128, 0}},
        {" \t#ff8000\n", {255, 128, 0}},
        {"rgb(255 128 0)", {255, 128, 0}},
        {"rgb(255, 128, 0)", {255, 128, 0}},
        {"RGB( 255 ,128,  0 )", {255, 128, 0}},
        {"rgb(100%, 50%, 0%)", {255, 128, 0}}, // 50% is 127.5, rounded up
        {"rgb(100% 50% 0)", {255, 128, 0}},    // the space form may mix them
        {"rgba(255,128,0,1)", {255, 128, 0}},
        {"rgb(255 128 0 / 100%)", {255, 128, 0}},
        {"rgba(255 128 0 / 1.0)", {255, 128, 0}},
        {"rgb(300 -5 127.5)", {255, 0, 128}},
        {"rgb(2.55e2 1E1 .4)", {255, 10, 0}},
        {"rgb(1e999 +1 0)", {255, 1, 0}},
        {"rgb(none 128 0)", {0, 128, 0}},
        {"hsl(30 100% 50%)", {255, 128, 0}},
        {"hsl(30deg, 100%, 50%)", {255, 128, 0}},
        {"HSL(30DEG 100 50)", {255, 128, 0}},
        {"hsl(-330 100% 50%)", {255, 128, 0}},
        {"hsl(390, 100%, 50%)", {255, 128, 0}},
        {"hsl(0.5turn 100% 50%)", {0, 255, 255}},
        {"hsl(200grad 100% 50%)", {0, 255, 255}},
        {"hsl(3.14159265rad 100% 50%)", {0, 255, 255}},
        {"hsla(120 100% 25% / 1)", {0, 128, 0}},
        {"hsl(none 0% 50%)", {128, 128, 128}},
        {"hsl(0 150% -10%)", {0, 0, 0}},
        {"RebeccaPurple", {0x66, 0x33, 0x99}},
        {"  navy ", {0, 0, 0x80}},
        {"WHITE", {255, 255, 255}},
        {"lightgoldenrodyellow", {0xfa, 0xfa, 0xd2}},
        {"grey", {0x80, 0x80, 0x80}},
    };
    for (const auto& [text, color] : cases)
        EXPECT_EQ(Parsed(text), color) << text;
}

TEST(CssColor, NamesWhatItDidNotUnderstand) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "empty"},
        {"   ", "empty"},
        {"#ff80f", "3 or 6"},
        {"#ff80", "not opaque"}, // #RGBA with an alpha of 0
        {"#", "3 or 6"},
        {"#ggg", "'#ggg'"},
        {"#ff800080", "not opaque"},
        {"ff80", "'ff80'"},
        {"ff800", "'ff800'"},
        {"bluish", "'bluish'"},
        {"transparent", "not opaque"},
        {"currentColor", "'currentColor'"},
        {"foo(1 2 3)", "'foo'"},
        {"rgb(255 128)", "three values"},
        {"rgb(1 2 3 4 5)", "5 values"},
        {"rgb(255,128 0)", "\",\""},
        {"rgb(255 128 0 0.5)", "\"/\""},
        {"rgb(255 128 0 / 0.5)", "'0.5' is not opaque"},
        {"rgb(255 128 / 0 1)", "\"/\""},
        {"rgb(1, 2, 3 / 1)", "mixes"},
        {"rgb(50%, 128, 0)", "all numbers or all percentages"},
        {"rgb(1 2 3", "\")\""},
        {"rgb(1 2 3))", "bracket"},
        {"rgb((1 2 3)", "bracket"},
        {"rgb(a b c)", "'a' is not a number"},
        {"rgb(1. 2 3)", "'1.'"},
        {"rgb(1px 2 3)", "'1px'"},
        {"rgb(10deg 2 3)", "'10deg'"},
        {"rgb(,1,2,3)", "misplaced"},
        {"rgb(1,2,3,)", "ends with"},
        {"rgb(1,,2,3)", "misplaced"},
        {"rgb(none, 2, 3)", "none"},
        {"hsl(30, 100, 50)", "'100' is not a percentage"},
        {"hsl(30% 100% 50%)", "'30%' is not an angle"},
        {"hsl(30 100% 50% / 0)", "not opaque"},
        {"hsl(30 100% 50% / 1deg)", "not a number"},
    };
    for (const auto& [text, expected] : cases) {
        const CssColorResult r = ParseCssColor(text);
        EXPECT_FALSE(r.color.has_value()) << text;
        EXPECT_NE(r.error.find(expected), std::string::npos) << text << " -> " << r.error;
    }
}

TEST(CssColor, AnyBytesGiveAResult) {
    // Control bytes are shown escaped, and a long text is cut in the message.
    const CssColorResult r = ParseCssColor(std::string("\x01\xff(", 3) + std::string(5000, 'x'));
    EXPECT_FALSE(r.color.has_value());
    EXPECT_LT(r.error.size(), 200u);
    EXPECT_NE(ParseCssColor(std::string("ab\0cd", 5)).error.find("\\x00"), std::string::npos);
    for (const char* text : {"rgb(", "rgb()", "(", ")", "#\xff", "hsl(/)", "rgb(1 2 3 /)",
                             "rgb(1e 2 3)", "rgb(- 2 3)", "rgb(1e+ 2 3)", "rgb(.e1 2 3)"})
        EXPECT_FALSE(ParseCssColor(text).color.has_value()) << text;
}

// A hue is taken modulo one turn in its own unit, exactly, whatever its size; an angle too large
// to be taken so is refused, never turned into an infinite value (which gave white).
TEST(CssColor, AHueOfAnySizeIsTakenModuloOneTurnOrRefused) {
    const std::pair<const char*, ColorRGB> cases[] = {
        {"hsl(1e306turn 100% 50%)", {255, 0, 0}}, // whole turns
        {"hsl(-1e306turn 100% 50%)", {255, 0, 0}},
        {"hsl(720.5turn 100% 50%)", {0, 255, 255}},
        {"hsl(1e303 100% 50%)", HslToRgb(std::fmod(1e303, 360.0), 100, 50)},
        {"hsl(1e305grad 100% 50%)", HslToRgb(std::fmod(1e305, 400.0) * 0.9, 100, 50)},
        {"hsl(1e9rad 100% 50%)",
         HslToRgb(std::fmod(1e9, 2 * std::numbers::pi) * (180 / std::numbers::pi), 100, 50)},
    };
    for (const auto& [text, color] : cases)
        EXPECT_EQ(Parsed(text), color) << text;
    for (const char* text : {"hsl(1e307rad 100% 50%)", "hsl(1.1e9rad 100% 50%)",
                             "hsl(1e400 100% 50%)", "hsl(-1e999turn 100% 50%)"}) {
        const CssColorResult r = ParseCssColor(text);
        EXPECT_FALSE(r.color.has_value()) << text;
        EXPECT_NE(r.error.find("is too large an angle"), std::string::npos) << r.error;
    }
}

TEST(CssColor, ANumberOutOfRangeIsAsLargeOrAsSmallAsItsDigitsSay) {
    const std::string tiny = "0." + std::string(400, '0') + "1"; // no exponent, yet too small
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_EQ(Parsed("rgb(" + tiny + " " + huge + " " + huge + "e-390)"), (ColorRGB{0, 255, 255}));
    EXPECT_EQ(Parsed("rgb(" + tiny + "e401 " + huge + "e-800 1e-400)"), (ColorRGB{1, 0, 0}));
    EXPECT_EQ(Parsed("hsl(" + tiny + " 100% 50%)"), (ColorRGB{255, 0, 0}));
}

TEST(CssColor, ALongTextIsCutBetweenCharactersInTheMessage) {
    std::string text;
    for (int k = 0; k < 20; ++k)
        text += "あ"; // three bytes each: the cut after 40 bytes falls inside the fourteenth
    std::string shown;
    for (int k = 0; k < 13; ++k)
        shown += "あ";
    const std::string error = ParseCssColor(text).error;
    EXPECT_NE(error.find("'" + shown + "...'"), std::string::npos) << error;
}

TEST(CssColor, The148NamedColours) {
    EXPECT_EQ(NamedCssColorCount(), 148u);
    EXPECT_EQ(NamedCssColor("aliceblue"), (ColorRGB{0xf0, 0xf8, 0xff}));
    EXPECT_EQ(NamedCssColor("yellowgreen"), (ColorRGB{0x9a, 0xcd, 0x32}));
    EXPECT_EQ(NamedCssColor("darkslategrey"), NamedCssColor("darkslategray"));
    EXPECT_EQ(NamedCssColor("fuchsia"), NamedCssColor("magenta"));
    EXPECT_FALSE(NamedCssColor("Red").has_value()); // the table is looked up in lower case
    EXPECT_FALSE(NamedCssColor("").has_value());
}

TEST(CssNotation, TextsAndCaptions) {
    const std::tuple<ColorRGB, const char*, const char*> cases[] = {
        {{255, 128, 0}, "rgb(255 128 0)", "hsl(30 100% 50%)"},
        {{0, 0, 0}, "rgb(0 0 0)", "hsl(0 0% 0%)"},
        {{255, 255, 255}, "rgb(255 255 255)", "hsl(0 0% 100%)"},
        {{0, 128, 0}, "rgb(0 128 0)", "hsl(120 100% 25%)"},
        {{128, 128, 128}, "rgb(128 128 128)", "hsl(0 0% 50%)"},
        {{0x66, 0x33, 0x99}, "rgb(102 51 153)", "hsl(270 50% 40%)"},
        {{255, 0, 4}, "rgb(255 0 4)", "hsl(359 100% 50%)"},
        // Hue 359.76 is written 0, not 360; no whole triple gives this colour.
        {{255, 0, 1}, "rgb(255 0 1)", "hsl(0 100% 50%)"},
    };
    for (const auto& [c, rgb, hsl] : cases) {
        for (const bool sharp : {true, false}) {
            EXPECT_EQ(FormatColorText(ctCssRgb, c.Red, c.Green, c.Blue, sharp), rgb);
            EXPECT_EQ(FormatColorText(ctCssHsl, c.Red, c.Green, c.Blue, sharp), hsl);
        }
    }
    EXPECT_EQ(CaptionText(ctCssRgb, 255, 128, 0, true), "ティンソラ [CSS : rgb(255 128 0)]");
    EXPECT_EQ(CaptionText(ctCssHsl, 255, 128, 0, false), "ティンソラ [CSS : hsl(30 100% 50%)]");
}

TEST(CssNotation, HslRoundTripsWheneverAnyWholeTripleDoes) {
    // The whole space is counted by the hsl-roundtrip tool; here a spread of
    // colours through every channel value, checked against every triple.
    const std::vector<bool> reachable = ReachableByHsl();
    std::size_t checked = 0;
    for (std::size_t index = 0; index < (1u << 24); index += 997) {
        const ColorRGB c{static_cast<int>(index >> 16), static_cast<int>((index >> 8) & 0xff),
                         static_cast<int>(index & 0xff)};
        const std::string text = CssHslText(c);
        const auto back = ParseCssColor(text).color;
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(*back == c, reachable[index])
            << c.Red << "," << c.Green << "," << c.Blue << " -> " << text;
        ++checked;
    }
    EXPECT_GT(checked, 16000u);
}

TEST(CssNotation, RgbAlwaysRoundTrips) {
    for (int v = 0; v < 256; ++v) {
        const ColorRGB c{v, 255 - v, (v * 7) & 255};
        EXPECT_EQ(Parsed(CssRgbText(c)), c);
    }
}
