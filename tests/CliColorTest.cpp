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
