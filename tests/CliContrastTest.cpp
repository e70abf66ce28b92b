#include "tests/RunProgram.h"

#include <gtest/gtest.h>

using tinsora::test::RunProgram;

TEST(CliContrast, PrintsTheRatioAndTheLevels) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"#777777", "white", "4.47:1\nAA: fail\nAAA: fail\nAA large: pass\n"},
        {"white", "#767676", "4.54:1\nAA: pass\nAAA: fail\nAA large: pass\n"},
        {"black", "#FFF", "21.00:1\nAA: pass\nAAA: pass\nAA large: pass\n"},
        {"rgb(0 153 255)", "ffffff", "2.99:1\nAA: fail\nAAA: fail\nAA large: fail\n"},
        {"red", "red", "1.00:1\nAA: fail\nAAA: fail\nAA large: fail\n"},
    };
    for (const auto& [fg, bg, expected] : cases) {
        const auto r = RunProgram(TINSORA_CLI_PATH, {"contrast", fg, bg});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, expected) << fg << " on " << bg;
    }
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"contrast"},
                                               {"contrast", "red"},
                                               {"contrast", "red", "blue", "green"},
                                               {"contrast", "--large", "red", "blue"},
                                               {"contrast", "red", "bleu"}}) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliBody, CheckPrintsTheFourRatiosAndFailsBelowAA) {
    const char* tag = "<BODY BgColor=\"#FFFFFF\" Text=\"#000000\" Link=\"#767676\" "
                      "Vlink=\"#777777\" Alink=\"#0099FF\">\n";
    const auto r = RunProgram(TINSORA_CLI_PATH, {"body", "--check", "--link", "#767676", "--vlink",
                                                 "#777777", "--alink", "rgb(0 153 255)"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, std::string(tag) + "text: 21.00:1 (AA: pass, AAA: pass, AA large: pass)\n"
                                        "link: 4.54:1 (AA: pass, AAA: fail, AA large: pass)\n"
                                        "vlink: 4.47:1 (AA: fail, AAA: fail, AA large: pass)\n"
                                        "alink: 2.99:1 (AA: fail, AAA: fail, AA large: fail)\n");
    EXPECT_EQ(r.err, "tinsora-cli: below AA (4.5:1) against bgcolor: vlink, alink\n");

    const auto pass =
        RunProgram(TINSORA_CLI_PATH, {"body", "--bgcolor", "navy", "--text", "white", "--link",
                                      "yellow", "--vlink", "#ccc", "--alink", "#f80", "--check"});
    EXPECT_EQ(pass.status, 0) << pass.err;
    EXPECT_TRUE(pass.err.empty());
    EXPECT_NE(pass.out.find("alink: "), std::string::npos);

    // Without --check the tag alone, whatever the contrast.
    const auto plain = RunProgram(TINSORA_CLI_PATH, {"body", "--text", "white"});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out.find("text:"), std::string::npos);
}
