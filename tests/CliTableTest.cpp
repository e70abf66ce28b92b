#include "html/GradientTable.h"
#include "tests/RunProgram.h"

#include <gtest/gtest.h>

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
    const auto r = RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "100", "--rows", "80"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, tinsora::JoinHtmlLines(tinsora::MakeGradientTable(o), true, "\n"));
}

TEST(CliTable, ProgramErrorsExitOneAndUsageErrorsTwo) {
    const auto bad = RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "x"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_EQ(bad.err, "tinsora-cli: 'x' は整数ではありません\n");

    const auto empty = RunProgram(TINSORA_CLI_PATH, {"table", "--rows", ""});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "tinsora-cli: '' は整数ではありません\n");

    const auto huge =
        RunProgram(TINSORA_CLI_PATH, {"table", "--cols", "100000", "--rows", "100000"});
    EXPECT_EQ(huge.status, 1);
    EXPECT_TRUE(huge.out.empty());
    EXPECT_EQ(huge.err, "tinsora-cli: 出力が大きすぎます (560002100074 バイト。上限は 268435456 "
                        "バイトです)\n");

    ExpectUsageError({"table", "--colors", "FF0000,FFFFFF,00FF00"});
    ExpectUsageError({"table", "--colors", "FF0000,FFFFFF,00FF00,0000FF,000000"});
    ExpectUsageError({"table", "--colors", "FF0000,FFFFFF,00FF00,bluish"});
    ExpectUsageError({"table", "--cols"});
    ExpectUsageError({"table", "--wide"});
}
