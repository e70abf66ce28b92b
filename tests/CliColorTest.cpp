#include "tests/RunProgram.h"

#include <gtest/gtest.h>

using tinsora::test::RunProgram;

TEST(CliColor, PrintsTheColourInTheChosenNotation) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"#FF8000"}, "#FF8000\n"},
        {{"ff8000"}, "#FF8000\n"},
        {{"--type", "hex", "FF8000"}, "#FF8000\n"},
        {{"--no-sharp", "#ff8000"}, "FF8000\n"},
        {{"--type", "rgb", "FF8000"}, "RGB(255,128,0)\n"},
        {{"--type", "vb", "FF8000"}, "&H000080FF&\n"},
        {{"FF8000", "--type", "cb"}, "0x000080FF\n"},
        {{"--type", "cb", "--no-sharp", "0A0B0C"}, "0x000C0B0A\n"},
    };
    for (const auto& [args, expected] : cases) {
        const auto r = RunProgram(TINSORA_CLI_PATH, [&] {
            std::vector<std::string> all{"color"};
            all.insert(all.end(), args.begin(), args.end());
            return all;
        }());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, expected);
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
}

TEST(CliColor, ABadColourOrOptionIsAUsageError) {
    const std::vector<std::vector<std::string>> cases{
        {"color"},
        {"color", "FF80"},
        {"color", "FF80001"},
        {"color", "GG8000"},
        {"color", "##FF8000"},
        {"color", ""},
        {"color", "--type", "html", "FF8000"},
        {"color", "FF8000", "--type"},
        {"color", "--sharp", "FF8000"},
        {"color", "FF8000", "000000"},
    };
    for (const auto& args : cases) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find("tinsora-cli: "), std::string::npos) << args.back();
    }
}

TEST(CliColor, CssNotationsAndWhatACssAuthorTypes) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--type", "css-rgb", "FF8000"}, "rgb(255 128 0)\n"},
        {{"--type", "css-hsl", "FF8000"}, "hsl(30 100% 50%)\n"},
        {{"--type", "css-hsl", "--no-sharp", "rebeccapurple"}, "hsl(270 50% 40%)\n"},
        {{"#f80"}, "#FF8800\n"},
        {{"rgb(255, 128, 0)"}, "#FF8000\n"},
        {{"--type", "rgb", "hsl(120deg 100% 25%)"}, "RGB(0,128,0)\n"},
        {{" Navy "}, "#000080\n"},
    };
    for (const auto& [args, expected] : cases) {
        std::vector<std::string> all{"color"};
        all.insert(all.end(), args.begin(), args.end());
        const auto r = RunProgram(TINSORA_CLI_PATH, all);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, expected);
    }
}

TEST(CliColor, AnErrorNamesTheOptionAndWhatWasNotUnderstood) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"color", "rgb(1 2)"},
         "tinsora-cli: COLOR: 'rgb(1 2)' is not a colour: rgb() needs "
         "three values\n"},
        {{"color", "bluish"},
         "tinsora-cli: COLOR: 'bluish' is not a colour (a name, #RGB, "
         "#RRGGBB, rgb() or hsl())\n"},
        {{"color", "#12345"},
         "tinsora-cli: COLOR: '#12345' needs 3 or 6 hexadecimal digits "
         "after \"#\"\n"},
        // The option, not its value, whichever order a compiler evaluates in.
        {{"body", "--bgcolor", "12345"}, "tinsora-cli: --bgcolor: '12345' is not a colour"},
        {{"body", "--vlink", "hsl(1 2 3 / 0.5)"},
         "tinsora-cli: --vlink: 'hsl(1 2 3 / 0.5)' is "
         "not a colour: hsl(): the alpha '0.5' is not "
         "opaque"},
        {{"table", "--colors", "red,rgb(1,2),#fff,#000"}, "tinsora-cli: --colors: 'rgb(1,2)'"},
        {{"text", "--colors", "red,blue", "A"},
         "tinsora-cli: --colors needs four colours "
         "separated by commas, not 2\n"},
        {{"color", "--type", "css", "red"},
         "tinsora-cli: --type: 'css' is not one of "
         "hex|rgb|vb|cb|css-rgb|css-hsl\n"},
    };
    for (const auto& [args, expected] : cases) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(r.err.rfind(expected, 0), 0u) << r.err;
    }
}

TEST(CliColor, CommasInsideAColourBelongToIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"rgb(1, 2, 3),hsl(0, 0%, 100%),red,blue", "\"#010203\""},
        {"hsl(0, 0%, 100%),rgb(1, 2, 3),red,blue", "\"#FFFFFF\""},
    };
    for (const auto& [colors, first] : cases) {
        const auto r = RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "1", "--rows", "1",
                                                     "--colors", colors, "--joined"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(first), std::string::npos) << r.out;
    }
}
