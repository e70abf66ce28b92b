#include "color/User.h"

#include "messages/Messages.h"
#include "text/Error.h"

#include <gtest/gtest.h>

using namespace tinsora;

TEST(PackedColor, PacksRedIntoTheLowByteAndMasksEachChannel) {
    EXPECT_EQ(PackColor(255, 128, 0), 0x000080FFu);
    EXPECT_EQ(PackColor(ColorRGB{1, 2, 3}), 0x00030201u);
    // A channel outside 0..255 never spills into its neighbour.
    EXPECT_EQ(PackColor(256, -1, 0), 0x0000FF00u);
}

TEST(PackedColor, UnpackReadsTheThreeLowBytesOnly) {
    EXPECT_EQ(UnpackColor(0x00123456u), (ColorRGB{0x56, 0x34, 0x12}));
    EXPECT_EQ(UnpackColor(kFaceColor), (ColorRGB{15, 0, 0}));
    for (PackedColor v : {0x00000000u, 0x00FFFFFFu, 0x00ABCDEFu})
        EXPECT_EQ(PackColor(UnpackColor(v)), v);
}

TEST(ChannelText, HexIsTwoUpperCaseDigitsAndDecimalHasNoPadding) {
    EXPECT_EQ(ChannelToHex(0), "00");
    EXPECT_EQ(ChannelToHex(10), "0A");
    EXPECT_EQ(ChannelToHex(171), "AB");
    EXPECT_EQ(ChannelToHex(255), "FF");
    EXPECT_EQ(ChannelToDecimal(0), "0");
    EXPECT_EQ(ChannelToDecimal(7), "7");
    EXPECT_EQ(ChannelToDecimal(255), "255");
    EXPECT_EQ(ChannelToDecimal(-1), "-1");
}

TEST(ChannelArithmetic, ClampInvertAndStep) {
    EXPECT_EQ(ClampChannel(-1), 0);
    EXPECT_EQ(ClampChannel(256), 255);
    EXPECT_EQ(ClampChannel(std::int64_t{1} << 40), 255);
    EXPECT_EQ(ClampChannel(128), 128);
    EXPECT_EQ(InvertChannel(0), 255);
    EXPECT_EQ(InvertChannel(128), 127);
    EXPECT_EQ(StepChannel(250, 10), 255);
    EXPECT_EQ(StepChannel(5, -10), 0);
    EXPECT_EQ(StepChannel(100, 10), 110);
}

TEST(HexPairToChannel, ReadsTwoCharactersAndCountsAnythingElseAsZero) {
    const std::pair<const char*, int> cases[] = {
        {"FF", 255}, {"ff", 255},   {"0A", 10}, {"A0", 160},    {"A", 160},
        {"F", 240},  {"0", 0},      {"G7", 7},  {"7G", 112},    {" 8", 8},
        {"#F", 15},  {"FFFF", 255}, {"", 0},    {"\x82\xA0", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(HexPairToChannel(text), expected) << "text '" << text << "'";
}

TEST(TextToInt, AcceptsDecimalSignsLeadingBlanksAndHexPrefixes) {
    const std::pair<const char*, std::int32_t> cases[] = {{"255", 255},
                                                          {"  42", 42},
                                                          {"+5", 5},
                                                          {"-5", -5},
                                                          {"007", 7},
                                                          {"$FF", 255},
                                                          {"0x1f", 31},
                                                          {"x10", 16},
                                                          {"X10", 16},
                                                          {"0X10", 16},
                                                          {"$FFFFFFFF", -1},
                                                          {"$80000000", INT32_MIN},
                                                          {"$000000000001", 1},
                                                          {"-2147483648", INT32_MIN},
                                                          {"2147483647", INT32_MAX},
                                                          {"0", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TextToInt(text), expected) << "text '" << text << "'";
}

TEST(TextToInt, RejectsEverythingElseWithTheTextInTheMessage) {
    for (const char* text : {"", " ", "-", "+", "12 ", "1a", "- 5", "-$10", "$", "0x", "x",
                             "2147483648", "-2147483649", "$100000000", "$G", "１２"}) {
        try {
            TextToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const NotAnIntegerError& e) {
            EXPECT_EQ(Worded(e, Language::Japanese),
                      "'" + std::string(text) + "' は整数ではありません");
        }
    }
    // Shown so that it cannot act on a terminal nor fill a screen.
    const std::pair<std::string, std::string> shown[] = {
        {"\t5", "'\\x095'"},
        {"5\x1B[31m", "'5\\x1B[31m'"},
        {"\xC2\x9B"
         "5",
         "'\\xC2\\x9B5'"}, // a control character of the C1 set
        {"\xFF"
         "5",
         "'\\xFF5'"}, // a byte that is no UTF-8
        {std::string(13, 'a') + "あああああああああ",
         "'" + std::string(13, 'a') + "あああああああああ'"},
        {std::string(14, 'a') + "あああああああああ",
         "'" + std::string(14, 'a') + "ああああああああ...'"},
    };
    for (const auto& [text, quoted] : shown) {
        std::string message;
        try {
            TextToInt(text);
        } catch (const NotAnIntegerError& e) {
            message = Worded(e, Language::Japanese);
        }
        EXPECT_EQ(message, quoted + " は整数ではありません");
    }
}

TEST(DecimalChannelText, EmptyGivesNothingOthersAreClamped) {
    EXPECT_FALSE(DecimalChannelText("").has_value());
    EXPECT_EQ(DecimalChannelText("300"), 255);
    EXPECT_EQ(DecimalChannelText("-5"), 0);
    EXPECT_EQ(DecimalChannelText("$80"), 128);
    EXPECT_THROW(DecimalChannelText("-"), Error);
}

TEST(ErrorBoxText, AddsAFullStopUnlessTheTextEndsAtOrBelowIt) {
    EXPECT_EQ(ErrorBoxText("'a' は整数ではありません"), "'a' は整数ではありません.");
    // ')' lies below '.', so the index message is shown as it stands.
    EXPECT_EQ(ErrorBoxText("リストのインデックスが範囲を超えています (3)"),
              "リストのインデックスが範囲を超えています (3)");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Done!"), "Done!");  // '!' lies below '.'
    EXPECT_EQ(ErrorBoxText("path/"), "path/."); // '/' lies above '.'
}
