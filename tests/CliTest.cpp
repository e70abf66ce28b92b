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

// What the user gave is shown so that it cannot act on the terminal (an escape sequence that
// would change its colours or title) nor fill it (an argument of 131,000 characters).
TEST(Cli, MessagesShowControlCharactersEscapedAndLongArgumentsCut) {
    const std::string escape = "\x1B]0;owned\x07\x1B[31m";
    const std::string shown = "\\x1B]0;owned\\x07\\x1B[31m";
    const std::string longArgument(131000, 'x');
    const struct {
        std::vector<std::string> args;
        std::string shown;
    } cases[] = {
        {{escape}, "unknown command '" + shown + "'"},
        {{"table", "--cols", escape}, "'" + shown + "' は整数ではありません"},
        {{"table", "--style", "html5", "--width", escape}, "'" + shown + "' は CSS の長さとして"},
        {{"color", escape}, "'" + shown + "' is not a colour"},
        {{"text", "--scope", escape, "A"}, "'" + shown + "' is not one of char|string"},
        {{"text", "--file", "/nonexistent/" + escape}, "/nonexistent/" + shown + " は開けません"},
        {{"color", "\xC2\x9B"
                   "31m"},
         "'\\xC2\\x9B31m'"},                     // the C1 form of ESC [
#ifndef _WIN32                                   // Windows hands a program its arguments as UTF-16
        {{"color", "\xFF\xFE"}, "'\\xFF\\xFE'"}, // no UTF-8 at all
#endif
        {{"color", longArgument}, "'" + std::string(40, 'x') + "...'"},
        {{"table", "--rows", longArgument}, "'" + std::string(40, 'x') + "...' は整数"},
        {{"table", longArgument}, "unknown option '" + std::string(40, 'x') + "...'"},
    };
    for (const auto& c : cases) {
        const auto r = RunProgram(TINSORA_CLI_PATH, c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.shown), std::string::npos) << r.err.substr(0, 300);
        EXPECT_EQ(r.err.find('\x1B'), std::string::npos);
        EXPECT_EQ(r.err.find('\x07'), std::string::npos);
        EXPECT_LT(r.err.size(), 2000u);
    }
}

// The messages follow the locale; the usage text is the same in every language.
TEST(Cli, WordsMessagesInTheLocalesLanguage) {
    using tinsora::test::Output;
    const std::vector<std::string> args{"table", "--cols", "x"};
    const auto english = RunProgram(TINSORA_CLI_PATH, args, {}, Output::Captured, "en_US.UTF-8");
    EXPECT_EQ(english.status, 2);
    EXPECT_EQ(english.err, "tinsora-cli: 'x' is not an integer\n");
    const auto japanese = RunProgram(TINSORA_CLI_PATH, {"text", "--file", "/nonexistent/a"}, {},
                                     Output::Captured, "ja_JP.UTF-8");
    EXPECT_EQ(japanese.status, 1);
    EXPECT_EQ(japanese.err, "tinsora-cli: ファイル /nonexistent/a は開けません\n");
}
