#include "color/ColorSetFile.h"

#include "messages/Messages.h"
#include "text/Error.h"

#include <gtest/gtest.h>

using namespace tinsora;

namespace {

// The colour a file sets, as the window's load sets it channel by channel.
tinsora::ColorRGB ColorOf(std::string_view bytes) {
    tinsora::ColorRGB color{-1, -1, -1};
    tinsora::ReadColorSetFile(bytes, [&](int channel, std::int32_t value) {
        (channel == 0 ? color.Red : channel == 1 ? color.Green : color.Blue) = value;
    });
    return color;
}

} // namespace

namespace {

// The message of the error f throws, or "" when it throws none.
template <typename F> std::string ErrorOf(F f) {
    try {
        f();
    } catch (const Error& e) {
        return Worded(e, Language::Japanese);
    }
    return "";
}

std::string IndexMessage(int k) {
    return Worded(ListIndexError(k), Language::Japanese);
}

} // namespace

TEST(ColorSetFile, WritesThreeDecimalLinesEndedByCrLf) {
    EXPECT_EQ(ColorSetFileBytes({255, 128, 0}), std::string("255\r\n128\r\n0\r\n"));
    EXPECT_EQ(ColorSetFileBytes({255, 128, 0}).size(), 13u);
    EXPECT_EQ(ColorSetFileBytes({0, 0, 0}), std::string("0\r\n0\r\n0\r\n"));
    EXPECT_EQ(ColorSetFileBytes({7, 42, 255}), std::string("7\r\n42\r\n255\r\n"));
}

TEST(ColorSetFile, ReadsBackWhatItWrites) {
    for (const ColorRGB c :
         {ColorRGB{0, 0, 0}, ColorRGB{255, 255, 255}, ColorRGB{255, 128, 0}, ColorRGB{1, 20, 200}})
        EXPECT_EQ(ColorOf(ColorSetFileBytes(c)), c);
}

TEST(ColorSetFile, ReadsAnyLineEndAndIgnoresWhatFollowsTheThirdLine) {
    const std::pair<std::string, ColorRGB> cases[] = {
        {"12\r\n34\r\n56\r\n", {12, 34, 56}},
        {"12\n34\n56\n", {12, 34, 56}},
        {"12\r34\r56\r", {12, 34, 56}},
        {"12\r\n34\n56", {12, 34, 56}},
        {"12\r\n34\r\n56\r\n78\r\n", {12, 34, 56}},
        {"12\r\n34\r\n56\r\nnot a number\r\n", {12, 34, 56}},
        {std::string("12\r\n34\r\n56\0junk", 13), {12, 34, 56}},
        {" 12\r\n007\r\n+5\r\n", {12, 7, 5}},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(ColorOf(bytes), expected) << bytes;
}

TEST(ColorSetFile, ClampsValuesAndAcceptsHexPrefixes) {
    EXPECT_EQ(ColorOf("300\r\n-5\r\n$80\r\n"), (ColorRGB{255, 0, 128}));
    const auto lines = ColorSetFileLines("300\r\n-5\r\n$80\r\n");
    // The channel itself is unclamped; the scroll bar clamps.
    EXPECT_EQ(ColorSetFileChannel(lines, 0), 300);
    EXPECT_EQ(ColorSetFileChannel(lines, 1), -5);
    EXPECT_EQ(ColorSetFileChannel(lines, 2), 128);
}

TEST(ColorSetFile, AShortFileGivesItsChannelsThenTheIndexOfTheMissingLine) {
    const auto lines = ColorSetFileLines("12\r\n34\r\n");
    EXPECT_EQ(ColorSetFileChannel(lines, 0), 12);
    EXPECT_EQ(ColorSetFileChannel(lines, 1), 34);
    EXPECT_EQ(ErrorOf([&] { ColorSetFileChannel(lines, 2); }), IndexMessage(2));
    EXPECT_EQ(ErrorOf([] { ColorOf("12\r\n34\r\n"); }),
              "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(ErrorOf([] { ColorOf("12"); }), IndexMessage(1));
    EXPECT_EQ(ErrorOf([] { ColorOf(""); }), IndexMessage(0));
    // A zero byte ends the text, so nothing after it counts as a line.
    EXPECT_EQ(ErrorOf([] {
                  ColorOf(std::string("\0"
                                      "1\r\n2\r\n3\r\n",
                                      10));
              }),
              IndexMessage(0));
}

TEST(ColorSetFile, ABadLineFailsWithItsText) {
    EXPECT_EQ(ErrorOf([] { ColorOf("12 \r\n34\r\n56\r\n"); }), "'12 ' は整数ではありません");
    // The first failing channel decides, in the order red, green, blue.
    EXPECT_EQ(ErrorOf([] { ColorOf("12\r\nzz\r\n"); }), "'zz' は整数ではありません");
    EXPECT_EQ(ErrorOf([] { ColorOf("12\r\n\r\n56\r\n"); }), "'' は整数ではありません");
    const auto lines = ColorSetFileLines("12\r\n34\r\n5 6\r\n");
    EXPECT_EQ(ColorSetFileChannel(lines, 1), 34);
    EXPECT_EQ(ErrorOf([&] { ColorSetFileChannel(lines, 2); }), "'5 6' は整数ではありません");
}

TEST(ColorSetFile, ALineIsShownInItsMessageAsCodePage932) {
    // 赤 in code page 932.
    EXPECT_EQ(ErrorOf([] { ColorOf("\x90\xD4\r\n0\r\n0\r\n"); }), "'赤' は整数ではありません");
    EXPECT_EQ(ErrorOf([] { ColorOf("1\r\n\x82\xA0\x82\xA2 \r\n"); }),
              "'あい ' は整数ではありません");
}

TEST(ColorSetFile, ALineLongerThanItsLimitIsNotAnInteger) {
    const std::string longest = std::string(kColorSetFileLineLimit - 2, ' ') + "12";
    EXPECT_EQ(ColorOf(longest + "\r\n0\r\n" + std::string(kColorSetFileLineLimit, '0')),
              (ColorRGB{12, 0, 0}));
    const std::string tooLong = " " + longest;
    EXPECT_EQ(ErrorOf([&] { ColorOf(tooLong + "\r\n0\r\n0\r\n"); }),
              "'" + std::string(40, ' ') + "...' は整数ではありません");
    EXPECT_EQ(ErrorOf([&] { ColorOf("1\r\n2\r\n" + std::string(100000, '0')); }),
              "'" + std::string(40, '0') + "...' は整数ではありません");
}

TEST(ColorSetFile, ReadingOnlyItsFirstBytesGivesWhatReadingItAllGives) {
    const std::string pad(kColorSetFileLineLimit - 3, ' ');
    const std::string files[] = {
        pad + "255\r\n" + pad + "128\r\n" + pad + "0\r\n" + std::string(5000, '\n'),
        pad + "255\n" + pad + "128\n" + pad + "1" + std::string(5000, '7'),
        "1\r\n" + std::string(5000, '2') + "\r\n3\r\n",
        std::string(5000, '\n'),
        std::string(kColorSetFileReadLimit - 1, ' ') + "\r\n",
    };
    // The same outcome; only a line the read cuts shows shorter in its message.
    const auto outcome = [](const std::string& message) {
        return message.find("は整数ではありません") != std::string::npos ? "not an integer"
                                                                         : message;
    };
    for (const std::string& file : files) {
        const std::string head = file.substr(0, kColorSetFileReadLimit);
        const std::string whole = ErrorOf([&] { ColorOf(file); });
        EXPECT_EQ(outcome(ErrorOf([&] { ColorOf(head); })), outcome(whole));
        if (whole.empty()) {
            EXPECT_EQ(ColorOf(head), ColorOf(file));
        }
    }
}
