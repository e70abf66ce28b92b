#include "html/GradientTable.h"
#include "tests/RunProgram.h"

#include <csignal>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

using tinsora::test::RunProgram;

namespace {

const std::vector<std::string> kThreeByThree{
    "<TABLE cellpadding=\"0\" cellspacing=\"0\">",
    "  <TBODY>",
    "    <TR>",
    "      <TD bgcolor=\"#FF0000\" width=\"1\" height=\"1\"></TD>",
    "      <TD bgcolor=\"#FF7F7F\" width=\"1\" height=\"1\"></TD>",
    "      <TD bgcolor=\"#FFFFFF\" width=\"1\" height=\"1\"></TD>",
    "    </TR>",
    "    <TR>",
    "      <TD bgcolor=\"#7F7F00\" width=\"1\" height=\"1\"></TD>",
    "      <TD bgcolor=\"#7F7F7F\" width=\"1\" height=\"1\"></TD>",
    "      <TD bgcolor=\"#7F7FFF\" width=\"1\" height=\"1\"></TD>",
    "    </TR>",
    "    <TR>",
    "      <TD bgcolor=\"#00FF00\" width=\"1\" height=\"1\"></TD>",
    "      <TD bgcolor=\"#007F7F\" width=\"1\" height=\"1\"></TD>",
    "      <TD bgcolor=\"#0000FF\" width=\"1\" height=\"1\"></TD>",
    "    </TR>",
    "  </TBODY>",
    "</TABLE>"};

std::string Joined(const std::vector<std::string>& lines, std::string_view end) {
    std::string text;
    for (const auto& line : lines)
        text += line + std::string(end);
    return text;
}

void ExpectUsageError(const std::vector<std::string>& args) {
    const auto r = RunProgram(TINSORA_CLI_PATH, args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_TRUE(r.out.empty()) << args.back();
    EXPECT_NE(r.err.find("usage: tinsora-cli"), std::string::npos) << args.back();
}

} // namespace

TEST(CliBody, PrintsTheTagWithTheGivenColours) {
    const auto initial = RunProgram(TINSORA_CLI_PATH, {"body"});
    EXPECT_EQ(initial.status, 0);
    EXPECT_EQ(initial.out, "<BODY BgColor=\"#FFFFFF\" Text=\"#000000\" Link=\"#000000\" "
                           "Vlink=\"#000000\" Alink=\"#000000\">\n");

    const auto link =
        RunProgram(TINSORA_CLI_PATH, {"body", "--link", "#ff8000", "--alink", "0000FF"});
    EXPECT_EQ(link.status, 0);
    EXPECT_EQ(link.out, "<BODY BgColor=\"#FFFFFF\" Text=\"#000000\" Link=\"#FF8000\" "
                        "Vlink=\"#000000\" Alink=\"#0000FF\">\n");

    ExpectUsageError({"body", "--text", "12345"});
    ExpectUsageError({"body", "--text"});
    ExpectUsageError({"body", "--colour", "000000"});
}

TEST(CliTable, PrintsOneIndentedEntryPerLine) {
    const auto lf = RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "3", "--rows", "3"});
    EXPECT_EQ(lf.status, 0);
    EXPECT_EQ(lf.out, Joined(kThreeByThree, "\n"));

    const auto crlf =
        RunProgram(TINSORA_CLI_PATH, {"table", "--crlf", "--cols", "3", "--rows", "3"});
    EXPECT_EQ(crlf.out, Joined(kThreeByThree, "\r\n"));

    const auto one = RunProgram(TINSORA_CLI_PATH, {"table"});
    EXPECT_EQ(one.out, "<TABLE cellpadding=\"0\" cellspacing=\"0\">\n  <TBODY>\n    <TR>\n"
                       "      <TD bgcolor=\"#FF0000\" width=\"1\" height=\"1\"></TD>\n"
                       "    </TR>\n  </TBODY>\n</TABLE>\n");
}

TEST(CliTable, JoinedPrintsOneLine) {
    const auto r = RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "3", "--joined"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "<TABLE cellpadding=\"0\" cellspacing=\"0\"><TBODY><TR>"
                     "<TD bgcolor=\"#FF0000\" width=\"1\" height=\"1\"></TD>"
                     "<TD bgcolor=\"#FF5555\" width=\"1\" height=\"1\"></TD>"
                     "<TD bgcolor=\"#FFAAAA\" width=\"1\" height=\"1\"></TD>"
                     "</TR></TBODY></TABLE>\n");
}

TEST(CliTable, OptionsFeedTheirAttributes) {
    const auto r =
        RunProgram(TINSORA_CLI_PATH,
                   {"table", "--padding", "5", "--spacing", "7", "--width", "50%", "--height", "2",
                    "--cols", "3", "--colors", "000000,#FFFFFF,000000,ffffff", "--joined"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "<TABLE cellpadding=\"5\" cellspacing=\"7\"><TBODY><TR>"
                     "<TD bgcolor=\"#000000\" width=\"50%\" height=\"2\"></TD>"
                     "<TD bgcolor=\"#555555\" width=\"50%\" height=\"2\"></TD>"
                     "<TD bgcolor=\"#AAAAAA\" width=\"50%\" height=\"2\"></TD>"
                     "</TR></TBODY></TABLE>\n");
}

TEST(CliTable, LargeTablesMatchTheLibrary) {
    tinsora::GradientTableOptions o;
    o.cols = "100";
    o.rows = "80";
    o.lineEnd = std::string("\n");
    tinsora::StringSink library;
    tinsora::WriteGradientTable(o, library);
    const auto r = RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "100", "--rows", "80"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, library.Text());
}

TEST(CliTable, NumberErrorsAndOtherUsageErrorsExitTwo) {
    // A count that is not a number is a usage mistake; its message stands alone.
    for (const char* count : {"x", "", "99999999999", "５", "1.5", "1e3", "nan"}) {
        for (const char* option : {"--cols", "--rows"}) {
            const auto bad = RunProgram(TINSORA_CLI_PATH, {"table", option, count});
            EXPECT_EQ(bad.status, 2) << option << " " << count;
            EXPECT_TRUE(bad.out.empty());
            EXPECT_EQ(bad.err, "tinsora-cli: '" + std::string(count) + "' は整数ではありません\n");
        }
    }

    ExpectUsageError({"table", "--colors", "FF0000,FFFFFF,00FF00"});
    ExpectUsageError({"table", "--colors", "FF0000,FFFFFF,00FF00,0000FF,000000"});
    ExpectUsageError({"table", "--colors", "FF0000,FFFFFF,00FF00,bluish"});
    ExpectUsageError({"table", "--cols"});
    ExpectUsageError({"table", "--wide"});
}

// Pipes whose reader leaves, SIGPIPE and /dev/full are POSIX things.
#ifndef _WIN32
namespace {

// Runs tinsora-cli with its output to a pipe whose reader leaves after a few bytes, SIGPIPE
// ignored or not; the exit status (or -signal) and what it wrote to standard error.
std::pair<int, std::string> RunIntoClosedPipe(const std::vector<std::string>& args, bool ignore) {
    std::vector<std::string> shellArgs{
        "-c",
        std::string(ignore ? "trap '' PIPE; " : "") +
            "\"$0\" \"$@\" | head -c 4096 >/dev/null; echo \"${PIPESTATUS[0]}\"",
        TINSORA_CLI_PATH};
    shellArgs.insert(shellArgs.end(), args.begin(), args.end());
    // A locale bash surely has: it warns of one it lacks. Nothing here is worded.
    const auto r =
        RunProgram("/bin/bash", shellArgs, {}, tinsora::test::Output::Captured, "C.UTF-8");
    const int status = std::stoi(r.out);
    return {status > 128 ? -(status - 128) : status, r.err};
}

} // namespace

TEST(CliTable, StreamsAnySizeAndEndsQuietlyWhenTheReaderGoes) {
    // 560 GB of table: only the reader's leaving ends it.
    const std::vector<std::string> huge{"table", "--cols", "100000", "--rows", "100000"};
    const auto [ignored, ignoredErrors] = RunIntoClosedPipe(huge, true);
    EXPECT_EQ(ignored, 0);
    EXPECT_EQ(ignoredErrors, "");
    const auto [killed, killedErrors] = RunIntoClosedPipe(huge, false);
    EXPECT_EQ(killed, -SIGPIPE);
    EXPECT_EQ(killedErrors, "");

    if (access("/dev/full", W_OK) == 0) {
        const auto full = RunProgram(
            "/bin/sh", {"-c", std::string(TINSORA_CLI_PATH) + " table --cols 1000 >/dev/full"});
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(full.err, "tinsora-cli: ストリームへの書き込みエラー\n");
    }
}

#endif

TEST(CliTable, WritesEitherStyleTheCssGradientAndWholePages) {
    const auto html5 =
        RunProgram(TINSORA_CLI_PATH, {"table", "--style", "html5", "--cols", "2", "--joined"});
    EXPECT_EQ(html5.status, 0) << html5.err;
    EXPECT_EQ(html5.out, "<table role=\"presentation\" style=\"border-spacing:0px\"><tbody><tr>"
                         "<td style=\"padding:0px;width:1px;height:1px;background-color:#FF0000\">"
                         "</td><td style=\"padding:0px;width:1px;height:1px;"
                         "background-color:#FF7F7F\"></td></tr></tbody></table>\n");

    const auto gradient = RunProgram(TINSORA_CLI_PATH, {"table", "--css-gradient", "--page"});
    EXPECT_EQ(gradient.status, 0) << gradient.err;
    EXPECT_EQ(gradient.out.rfind("<!DOCTYPE html>\n<html lang=\"ja\">\n", 0), 0u);
    EXPECT_NE(gradient.out.find("<main>\n<div style=\"width:1px;height:1px;"), std::string::npos);
    EXPECT_TRUE(gradient.out.ends_with("</main>\n</body>\n</html>\n"));

    const auto bad = RunProgram(TINSORA_CLI_PATH, {"table", "--style", "html5", "--width", "1;x"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "tinsora-cli: '1;x' は CSS の長さとして使えません\n");

    ExpectUsageError({"table", "--style", "css"});
    ExpectUsageError({"table", "--style", "classic", "--css-gradient"});

    const auto body = RunProgram(TINSORA_CLI_PATH, {"body", "--style", "html5", "--crlf"});
    EXPECT_EQ(body.status, 0);
    EXPECT_TRUE(body.out.ends_with("-->\r\n<body>\r\n")) << body.out;
    const auto classicPage = RunProgram(TINSORA_CLI_PATH, {"body", "--page"});
    EXPECT_NE(classicPage.out.find("</head>\n<BODY BgColor=\"#FFFFFF\""), std::string::npos);
    ExpectUsageError({"body", "--joined"});
}
