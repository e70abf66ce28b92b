#include "tests/RunProgram.h"

#include <gtest/gtest.h>

using tinsora::test::RunProgram;

TEST(Cli, AnswersHelpAndVersion) {
    const auto help = RunProgram(TINSORA_CLI_PATH, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: tinsora-cli"), std::string::npos);

    const auto version = RunProgram(TINSORA_CLI_PATH, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tinsora-cli 1.", 0), 0u) << version.out;
}

TEST(Cli, AnythingElseIsAUsageError) {
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"--nope"}}) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("usage: tinsora-cli"), std::string::npos);
    }
}
