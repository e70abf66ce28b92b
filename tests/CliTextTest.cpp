#include "tests/RunProgram.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using tinsora::test::RunProgram;

namespace {

std::string Entry(std::string_view color, std::string_view ch, std::string_view size = "3") {
    std::string e = "<FONT Color=\"#" + std::string(color) + "\"";
    if (!size.empty())
        e += " Size=\"" + std::string(size) + "\"";
    return e + ">" + std::string(ch) + "</FONT>";
}

std::filesystem::path WriteFile(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(CliText, PrintsOneEntryPerLineWithTheInitialSettings) {
    const auto r = RunProgram(TINSORA_CLI_PATH, {"text", "AB"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Entry("FF0000", "A") + "\n" + Entry("FFFFFF", "B") + "\n");

    const auto crlf = RunProgram(TINSORA_CLI_PATH, {"text", "--crlf", "AB"});
    EXPECT_EQ(crlf.out, Entry("FF0000", "A") + "\r\n" + Entry("FFFFFF", "B") + "\r\n");
    const auto joined = RunProgram(TINSORA_CLI_PATH, {"text", "--joined", "A\\nB"});
    EXPECT_EQ(joined.out, Entry("FF0000", "A") + "<BR>" + Entry("FFAAAA", "B") + "\n");
}

TEST(CliText, TakesEveryOptionOfThePages) {
    const auto r =
        RunProgram(TINSORA_CLI_PATH, {"text", "--colors", "000000,#FFFFFF,00ff00,0000FF", "--count",
                                      "9", "--bold", "--sub", "--scope", "string", "--size", "",
                                      "--marquee", "right", "--behavior", "alternate", "ABCD"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "<MARQUEE Direction=\"right\" Behavior=\"alternate\">\n<B><SUB>\n" +
                         Entry("000000", "A", "") + "\n" + Entry("FFFFFF", "B", "") + "\n" +
                         Entry("00FF00", "C", "") + "\n" + Entry("0000FF", "D", "") +
                         "\n</SUB></B>\n</MARQUEE>\n");

    const auto scroll =
        RunProgram(TINSORA_CLI_PATH, {"text", "--marquee", "left", "--italic", "--tt", "A"});
    EXPECT_EQ(scroll.out, "<MARQUEE Direction=\"left\" Behavior=\"scroll\">\n" +
                              Entry("FF0000", "<I><TT>A</TT></I>") + "\n</MARQUEE>\n");
}

TEST(CliText, EndsTheOptionsAtTwoDashes) {
    const auto r = RunProgram(TINSORA_CLI_PATH, {"text", "--size", "1", "--", "-x"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Entry("FF0000", "-", "1") + "\n" + Entry("FFFFFF", "x", "1") + "\n");
}

TEST(CliText, ReadsCodePage932FilesAndWritesEitherEncoding) {
    const auto path = WriteFile("tinsora-cli-text.txt", "\x82\xA0\r\nB");
    const auto utf8 = RunProgram(TINSORA_CLI_PATH, {"text", "--file", path.string()});
    EXPECT_EQ(utf8.status, 0) << utf8.err;
    EXPECT_EQ(utf8.out, Entry("FF0000", "あ") + "\n<BR>\n" + Entry("00FF00", "B") + "\n<BR>\n");

    const auto cp932 =
        RunProgram(TINSORA_CLI_PATH, {"text", "--encoding", "cp932", "--file", path.string()});
    EXPECT_EQ(cp932.out,
              Entry("FF0000", "\x82\xA0") + "\n<BR>\n" + Entry("00FF00", "B") + "\n<BR>\n");
    std::filesystem::remove(path);

    // A character that code page 932 lacks is kept as a reference, which a browser shows.
    const auto typed = RunProgram(TINSORA_CLI_PATH, {"text", "--encoding", "cp932", "あ😀"});
    EXPECT_EQ(typed.out, Entry("FF0000", "\x82\xA0") + "\n" + Entry("FFAAAA", "&#128512;") + "\n");
}

TEST(CliText, ReportsProgramErrorsWithStatusOneAndNumberErrorsWithTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
        int status;
    };
    for (const Case& c :
         std::vector<Case>{{{"text", "--size", "大", "A"}, "'大' は整数ではありません", 2},
                           {{"text", "--count", "x", "A"}, "'x' は整数ではありません", 2},
                           {{"text", "--file", "/nonexistent/t.txt"},
                            "ファイル /nonexistent/t.txt は開けません",
                            1}}) {
        const auto r = RunProgram(TINSORA_CLI_PATH, c.args);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err, "tinsora-cli: " + c.message + "\n");
    }
}

TEST(CliText, ReportsUsageErrorsWithStatusTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"text"},
             {"text", "A", "B"},
             {"text", "A", "--file", "f"},
             {"text", "-x"},
             {"text", "--sup", "--sub", "A"},
             {"text", "--behavior", "slide", "A"},
             {"text", "--scope", "word", "A"},
             {"text", "--marquee", "up", "A"},
             {"text", "--encoding", "latin1", "A"},
             {"text", "--colors", "FF0000,FFFFFF,00FF00", "A"},
             {"text", "--colors", "FF0000,FFFFFF,00FF00,0000FF,000000", "A"},
             {"text", "--colors", "reddish,FFFFFF,00FF00,0000FF", "A"},
             {"text", "A", "--size"}}) {
        const auto r = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("usage: tinsora-cli"), std::string::npos);
    }
}

TEST(CliText, WritesTheHtml5StyleAndReadsTheFileAfterTheSizeAndCount) {
    const auto r = RunProgram(TINSORA_CLI_PATH, {"text", "--style", "html5", "--joined", "A&"});
    EXPECT_EQ(r.status, 0) << r.err;
    // Without --size the text takes the size of where it is put.
    EXPECT_EQ(r.out, "<span role=\"img\" aria-label=\"A&amp;\"><span style=\"color:#FF0000\">A"
                     "</span><span style=\"color:#FFFFFF\">&amp;</span></span>\n");
    const auto sized =
        RunProgram(TINSORA_CLI_PATH, {"text", "--css", "classes", "--size", "3", "A"});
    EXPECT_NE(sized.out.find(".tinsora-s3{font-size:medium}"), std::string::npos) << sized.out;
    EXPECT_EQ(sized.out.find("style="), std::string::npos) << "classes imply HTML5, no style";

    const auto page = RunProgram(TINSORA_CLI_PATH, {"text", "--page", "--blink", "A"});
    EXPECT_NE(page.out.find("<head>"), std::string::npos);
    EXPECT_NE(page.out.find("<BLINK>A</BLINK>"), std::string::npos) << "classic in a page too";

    const auto sizeFirst =
        RunProgram(TINSORA_CLI_PATH, {"text", "--size", "x", "--file", "/nonexistent/t.txt"});
    EXPECT_EQ(sizeFirst.err, "tinsora-cli: 'x' は整数ではありません\n");

    const auto cp932 = RunProgram(TINSORA_CLI_PATH, {"text", "--page", "--encoding", "cp932", "A"});
    EXPECT_EQ(cp932.status, 2);
    EXPECT_TRUE(cp932.out.empty());

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"text", "--style", "classic", "--css-gradient", "A"},
             {"text", "--style", "classic", "--css", "classes", "A"},
             {"text", "--background", "white", "A"},
             {"text", "--css", "attributes", "A"}}) {
        const auto bad = RunProgram(TINSORA_CLI_PATH, args);
        EXPECT_EQ(bad.status, 2) << args[2];
        EXPECT_TRUE(bad.out.empty());
    }
}

TEST(CliText, ChecksTheLowestContrastOfTheCharacters) {
    // Red to white: the last letters are white on white.
    const auto low = RunProgram(TINSORA_CLI_PATH, {"text", "--check", "ABC"});
    EXPECT_EQ(low.status, 1);
    EXPECT_TRUE(low.out.ends_with(
        "lowest contrast: 1.00:1 (#FFFFFF on #FFFFFF) (AA: fail, AAA: fail, AA large: fail)\n"))
        << low.out;
    EXPECT_EQ(low.err, "tinsora-cli: below AA (4.5:1) against #FFFFFF: #FFFFFF\n");

    // On black the red end is the lowest; a file's characters are checked too.
    const auto path = WriteFile("tinsora-cli-check.txt", "AB\r\nCD");
    const auto dark =
        RunProgram(TINSORA_CLI_PATH, {"text", "--check", "--background", "#000", "--colors",
                                      "red,white,gray,white", "--file", path.string()});
    std::filesystem::remove(path);
    EXPECT_EQ(dark.status, 0) << dark.err;
    EXPECT_TRUE(dark.out.ends_with("lowest contrast: 5.25:1 (#FF0000 on #000000) "
                                   "(AA: pass, AAA: fail, AA large: pass)\n"))
        << dark.out;

    const auto none = RunProgram(TINSORA_CLI_PATH, {"text", "--check", "\\n"});
    EXPECT_EQ(none.status, 0);
    EXPECT_TRUE(none.out.ends_with("lowest contrast: no characters\n"));
}
