#include "color/Notation.h"

#include "color/User.h"

#include <gtest/gtest.h>

using namespace tinsora;

namespace {

struct NotationCase {
    ColorRGB color;
    const char* hex; // with "#"
    const char* rgb;
    const char* vb;
    const char* cb;
};

const NotationCase kCases[] = {
    {{0, 0, 0}, "#000000", "RGB(0,0,0)", "&H00000000&", "0x00000000"},
    {{255, 255, 255}, "#FFFFFF", "RGB(255,255,255)", "&H00FFFFFF&", "0x00FFFFFF"},
    {{1, 2, 3}, "#010203", "RGB(1,2,3)", "&H00030201&", "0x00030201"},
    {{10, 11, 12}, "#0A0B0C", "RGB(10,11,12)", "&H000C0B0A&", "0x000C0B0A"},
    {{255, 128, 0}, "#FF8000", "RGB(255,128,0)", "&H000080FF&", "0x000080FF"},
};

std::string Text(ColType type, const ColorRGB& c, bool sharp) {
    return FormatColorText(type, c.Red, c.Green, c.Blue, sharp);
}

} // namespace

TEST(FormatColorText, EachNotationOfEachColour) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(Text(ctHex, c.color, true), c.hex);
        EXPECT_EQ(Text(ctHex, c.color, false), c.hex + 1);
        EXPECT_EQ(Text(ctRGB, c.color, true), c.rgb);
        EXPECT_EQ(Text(ctVB, c.color, true), c.vb);
        EXPECT_EQ(Text(ctCB, c.color, true), c.cb);
    }
}

TEST(FormatColorText, TheSharpOptionTouchesOnlyHex) {
    for (const auto& c : kCases) {
        for (const ColType type : {ctRGB, ctVB, ctCB})
            EXPECT_EQ(Text(type, c.color, false), Text(type, c.color, true)) << c.hex;
    }
}

TEST(FormatColorText, AnUnknownTypeGivesNoText) {
    for (const int type : {-1, 6, 100}) {
        EXPECT_EQ(FormatColorText(type, 255, 128, 0, true), "");
        EXPECT_EQ(CaptionText(type, 255, 128, 0, true), "");
    }
}

TEST(CaptionText, CarriesTheNotationTextInEachForm) {
    const std::tuple<ColType, bool, int, int, int, const char*> cases[] = {
        {ctHex, true, 255, 128, 0, "ティンソラ [16進数 : #FF8000]"},
        {ctHex, false, 255, 128, 0, "ティンソラ [16進数 : FF8000]"},
        {ctHex, false, 10, 11, 12, "ティンソラ [16進数 : 0A0B0C]"},
        {ctHex, true, 0, 0, 0, "ティンソラ [16進数 : #000000]"},
        {ctRGB, true, 255, 128, 0, "ティンソラ [RGB(255,128,0)]"},
        {ctVB, true, 255, 128, 0, "ティンソラ [VisualBasic : &H000080FF&]"},
        {ctVB, false, 255, 128, 0, "ティンソラ [VisualBasic : &H000080FF&]"},
        {ctCB, true, 255, 128, 0, "ティンソラ [C++Builder,Delphi : 0x000080FF]"},
        {ctCB, false, 1, 2, 3, "ティンソラ [C++Builder,Delphi : 0x00030201]"},
    };
    for (const auto& [type, sharp, r, g, b, expected] : cases)
        EXPECT_EQ(CaptionText(type, r, g, b, sharp), expected);
}
