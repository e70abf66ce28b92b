#include "tests/RunProgram.h"

#include <gtest/gtest.h>

using tinsora::test::Output;
using tinsora::test::RunProgram;

namespace {

const std::vector<std::vector<std::string>> kEveryKindOfOutput{
    {"--help"}, {"--version"}, {"color", "FF8000"}, {"body"}, {"table"}, {"text", "AB"},
};

void ExpectWriteError(Output output) {
    for (const auto& args : kEveryKindOfOutput) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args, {}, output);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, "tinsora-cli: ストリームへの書き込みエラー\n") << args[0];
    }
}

} // namespace

TEST(CliWriteError, AClosedStandardOutputIsAnErrorForEveryCommand) {
    ExpectWriteError(Output::Closed);
}

TEST(CliWriteError, AFullDeviceIsAnErrorForEveryCommand) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/full";
#else
    ExpectWriteError(Output::DevFull);
#endif
}
