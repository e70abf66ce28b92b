#include "color/Templates.h"

#include "messages/Messages.h"
#include "text/Error.h"

#include <gtest/gtest.h>

using namespace tinsora;
using Lines = std::vector<std::string>;

TEST(TemplateNames, TakesEvenLinesUpToEndAtAnEvenLine) {
    EXPECT_EQ(TemplateNames({"red", "FF0000", "blue", "0000FF", "end;", "gone", "000000"}),
              (Lines{"red", "blue"}));
    // "end;" in a colour position does not end the list.
    EXPECT_EQ(TemplateNames({"red", "end;", "blue", "0000FF"}), (Lines{"red", "blue"}));
    // Without "end;" every name line is listed, a last name without colour too.
    EXPECT_EQ(TemplateNames({"red", "FF0000", "lone"}), (Lines{"red", "lone"}));
    // Only the exact text ends the list.
    EXPECT_EQ(TemplateNames({"end; ", "1", "END;", "2"}), (Lines{"end; ", "END;"}));
    EXPECT_EQ(TemplateNames({}), Lines{});
}

TEST(TemplateColor, ReadsThreeHexPairsLeniently) {
    const std::pair<const char*, ColorRGB> cases[] = {
        {"FF8000", {255, 128, 0}}, {"ff8000", {255, 128, 0}}, {"#FF8000", {15, 248, 0}},
        {"FFF", {255, 240, 0}},    {"", {0, 0, 0}},           {"FF8000 orange", {255, 128, 0}},
        {"F", {240, 0, 0}},        {"GG1122", {0, 17, 34}}};
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(TemplateColor(line), expected) << "line '" << line << "'";
}

TEST(TemplateColorLine, MissingColourLineIsAListIndexError) {
    const Lines lines{"red", "FF0000", "lone"};
    EXPECT_EQ(TemplateColorLine(lines, 0), "FF0000");
    try {
        TemplateColorLine(lines, 1);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(Worded(e, Language::Japanese), "リストのインデックスが範囲を超えています (3)");
    }
}
