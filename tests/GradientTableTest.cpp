#include "html/GradientTable.h"

#include "html/UpDownStep.h"
#include "text/Error.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tinsora;
using Lines = std::vector<std::string>;

namespace {

GradientTableOptions Table(std::string cols, std::string rows) {
    GradientTableOptions o;
    o.cols = std::move(cols);
    o.rows = std::move(rows);
    return o;
}

std::string Cell(std::string_view hex, std::string_view indent = "      ") {
    return std::string(indent) + "<TD bgcolor=\"#" + std::string(hex) +
           "\" width=\"1\" height=\"1\"></TD>";
}

// The six colour digits of every cell, row by row.
std::vector<std::string> CellColours(const HtmlLines& lines) {
    std::vector<std::string> colours;
    for (std::size_t k = 0; k < lines.Count(); ++k) {
        const auto line = lines.Line(k);
        const auto at = line.find("bgcolor=\"#");
        if (at != std::string_view::npos)
            colours.emplace_back(line.substr(at + 10, 6));
    }
    return colours;
}

std::string Hex(std::int64_t r, std::int64_t g, std::int64_t b) {
    std::string s;
    for (const auto v : {r, g, b})
        AppendChannelHex(s, static_cast<std::int32_t>(v));
    return s;
}

std::string ErrorOf(const GradientTableOptions& o) {
    try {
        MakeGradientTable(o);
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(GradientTable, ThreeByThreeRunsBetweenTheFourCorners) {
    const Lines expected{"<TABLE cellpadding=\"0\" cellspacing=\"0\">",
                         "  <TBODY>",
                         "    <TR>",
                         Cell("FF0000"),
                         Cell("FF7F7F"),
                         Cell("FFFFFF"),
                         "    </TR>",
                         "    <TR>",
                         Cell("7F7F00"),
                         Cell("7F7F7F"),
                         Cell("7F7FFF"),
                         "    </TR>",
                         "    <TR>",
                         Cell("00FF00"),
                         Cell("007F7F"),
                         Cell("0000FF"),
                         "    </TR>",
                         "  </TBODY>",
                         "</TABLE>"};
    EXPECT_EQ(MakeGradientTable(Table("3", "3")).ToVector(), expected);
}

TEST(GradientTable, ASingleRowOrColumnStopsShortOfTheNextCorner) {
    EXPECT_EQ(CellColours(MakeGradientTable(Table("3", "1"))),
              (Lines{"FF0000", "FF5555", "FFAAAA"}));
    EXPECT_EQ(CellColours(MakeGradientTable(Table("1", "3"))),
              (Lines{"FF0000", "AA5500", "55AA00"}));

    auto one = Table("1", "1");
    one.colors[0] = ColorRGB{0x12, 0x34, 0x56};
    EXPECT_EQ(MakeGradientTable(one).ToVector(),
              (Lines{"<TABLE cellpadding=\"0\" cellspacing=\"0\">", "  <TBODY>", "    <TR>",
                     Cell("123456"), "    </TR>", "  </TBODY>", "</TABLE>"}));
}

TEST(GradientTable, EveryCellIsTheGradientStepOfItsRowEdges) {
    const GradientColors colourSets[] = {
        kInitialGradientColors,
        {ColorRGB{0, 0, 0}, ColorRGB{250, 7, 255}, ColorRGB{3, 200, 128}, ColorRGB{255, 255, 1}},
        {ColorRGB{9, 90, 180}, ColorRGB{9, 90, 180}, ColorRGB{200, 100, 0}, ColorRGB{0, 59, 255}}};
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9},  {9, 1},  {2, 2},  {8, 2},
                                         {7, 5}, {71, 3}, {3, 71}, {256, 2}};
    for (const auto& colours : colourSets)
        for (const auto& [cols, rows] : sizes) {
            auto o = Table(std::to_string(cols), std::to_string(rows));
            o.colors = colours;
            const int e = (rows == 1 || cols == 1) ? 0 : 1;
            Lines expected;
            for (int r = 0; r < rows; ++r) {
                const auto step = [&](std::int32_t a, std::int32_t b, int n, int i) {
                    return static_cast<std::int32_t>(GradientStep(a, b, n, i));
                };
                const auto& c = colours;
                const ColorRGB left{step(c[0].Red, c[2].Red, rows - e, r),
                                    step(c[0].Green, c[2].Green, rows - e, r),
                                    step(c[0].Blue, c[2].Blue, rows - e, r)};
                const ColorRGB right{step(c[1].Red, c[3].Red, rows - e, r),
                                     step(c[1].Green, c[3].Green, rows - e, r),
                                     step(c[1].Blue, c[3].Blue, rows - e, r)};
                for (int x = 0; x < cols; ++x)
                    expected.push_back(Hex(step(left.Red, right.Red, cols - e, x),
                                           step(left.Green, right.Green, cols - e, x),
                                           step(left.Blue, right.Blue, cols - e, x)));
            }
            EXPECT_EQ(CellColours(MakeGradientTable(o)), expected) << cols << " x " << rows;
        }

    // From 00 to FA over seven steps the last column lands on F9, not FA.
    auto o = Table("8", "2");
    o.colors[0] = ColorRGB{0, 0, 0};
    o.colors[1] = ColorRGB{250, 0, 0};
    EXPECT_EQ(CellColours(MakeGradientTable(o))[7], "F90000");
}

// The tables of counts of zero or below: two rows without cells, or no rows.
const Lines twoEmptyRows{"<TABLE cellpadding=\"0\" cellspacing=\"0\">",
                         "  <TBODY>",
                         "    <TR>",
                         "    </TR>",
                         "    <TR>",
                         "    </TR>",
                         "  </TBODY>",
                         "</TABLE>"};
const Lines noRows{"<TABLE cellpadding=\"0\" cellspacing=\"0\">", "  <TBODY>", "  </TBODY>",
                   "</TABLE>"};

TEST(GradientTable, CountsOfZeroOrBelowGiveEmptyRowsOrNoRows) {
    EXPECT_EQ(MakeGradientTable(Table("0", "2")).ToVector(), twoEmptyRows);
    EXPECT_EQ(MakeGradientTable(Table("-4", "2")).ToVector(), twoEmptyRows);

    for (const auto& [cols, rows] : {std::pair{"3", "0"}, {"0", "0"}, {"5", "-1"}})
        EXPECT_EQ(MakeGradientTable(Table(cols, rows)).ToVector(), noRows) << cols << " " << rows;
}

// Found by fuzzing: the lowest count, less the edge, overflowed before any row was built.
TEST(GradientTable, TheLowestCountIsLikeAnyCountBelowOne) {
    EXPECT_EQ(MakeGradientTable(Table("-2147483648", "2")).ToVector(), twoEmptyRows);
    EXPECT_EQ(MakeGradientTable(Table("3", "$80000000")).ToVector(), noRows);
    EXPECT_EQ(MakeGradientTable(Table("-2147483648", "-2147483648")).ToVector(), noRows);

    std::string written;
    WriteGradientTable(Table("-2147483648", "2"), "\n",
                       [&](std::string_view piece) { written += piece; });
    EXPECT_EQ(written, "<TABLE cellpadding=\"0\" cellspacing=\"0\">\n  <TBODY>\n    <TR>\n    "
                       "</TR>\n    <TR>\n    </TR>\n  </TBODY>\n</TABLE>\n");
}

TEST(GradientTable, CopiesTheFourTextsAsTyped) {
    auto o = Table("2", "1");
    o.padding = "5";
    o.spacing = " x";
    o.width = "50%";
    o.height = "";
    const auto lines = MakeGradientTable(o);
    EXPECT_EQ(lines.Line(0), "<TABLE cellpadding=\"5\" cellspacing=\" x\">");
    EXPECT_EQ(lines.Line(3), "      <TD bgcolor=\"#FF0000\" width=\"50%\" height=\"\"></TD>");
    EXPECT_EQ(lines.Line(4), "      <TD bgcolor=\"#FF7F7F\" width=\"50%\" height=\"\"></TD>");
}

TEST(GradientTable, JoinedModeHasNoIndentation) {
    auto o = Table("3", "1");
    o.lineMode = false;
    EXPECT_EQ(JoinHtmlLines(MakeGradientTable(o), false),
              "<TABLE cellpadding=\"0\" cellspacing=\"0\"><TBODY><TR>" + Cell("FF0000", "") +
                  Cell("FF5555", "") + Cell("FFAAAA", "") + "</TR></TBODY></TABLE>");
}

TEST(GradientTable, BadCountsReportTheTextColumnsFirst) {
    EXPECT_EQ(ErrorOf(Table("", "1")), "'' は整数ではありません");
    EXPECT_EQ(ErrorOf(Table("x", "y")), "'x' は整数ではありません");
    EXPECT_EQ(ErrorOf(Table("3", "y")), "'y' は整数ではありません");
    EXPECT_THROW(GradientTableOutputSize(Table("1", "1.5")), Error);
}

TEST(GradientTable, RefusesOutputBeyondTheCapBeforeBuildingIt) {
    EXPECT_EQ(ErrorOf(Table("100000", "100000")),
              "出力が大きすぎます (560002100074 バイト。上限は 268435456 バイトです)");
    // Past 2^64 bytes: measured exactly, never wrapped around.
    EXPECT_EQ(ErrorOf(Table("2147483647", "2147483647")),
              "出力が大きすぎます (258254416836512710765 バイト。上限は 268435456 バイトです)");
    EXPECT_EQ(GradientTableOutputSize(Table("2147483647", "2147483647")), UINT64_MAX);

    // 5000 x 1000 cells pass the cap only with indentation and line ends.
    auto o = Table("5000", "1000");
    EXPECT_GT(GradientTableOutputSize(o), kMaxOutputBytes);
    EXPECT_THROW(WriteGradientTable(o, "\n", [](std::string_view) { FAIL() << "wrote"; }), Error);
    o.lineMode = false;
    EXPECT_LE(GradientTableOutputSize(o), kMaxOutputBytes);
}

TEST(GradientTable, SizeAndStreamedTextAgreeWithTheBuiltTable) {
    for (const bool lineMode : {true, false})
        for (int rows = -1; rows <= 4; ++rows)
            for (int cols = -1; cols <= 4; ++cols) {
                auto o = Table(std::to_string(cols), std::to_string(rows));
                o.lineMode = lineMode;
                o.width = "100%";
                o.spacing = "12";
                const std::string pane = JoinHtmlLines(MakeGradientTable(o), lineMode);
                EXPECT_EQ(GradientTableOutputSize(o), pane.size()) << cols << " x " << rows;
                std::string streamed;
                WriteGradientTable(o, lineMode ? "\r\n" : "",
                                   [&](std::string_view piece) { streamed += piece; });
                EXPECT_EQ(streamed, pane) << cols << " x " << rows;
            }

    // Large enough to be handed on in several pieces.
    const auto big = Table("100", "80");
    std::vector<std::size_t> pieces;
    std::string streamed;
    WriteGradientTable(big, "\n", [&](std::string_view piece) {
        pieces.push_back(piece.size());
        streamed += piece;
    });
    EXPECT_GT(pieces.size(), 1u);
    EXPECT_EQ(streamed, JoinHtmlLines(MakeGradientTable(big), true, "\n"));
}

TEST(UpDownStep, StepsTheBoxWithinItsOwnPositionRange) {
    UpDownStep arrows;
    EXPECT_EQ(arrows.Up("1"), "2");
    EXPECT_EQ(arrows.Down("2"), "1");
    EXPECT_EQ(arrows.Down("1"), std::nullopt); // back at 0: the down arrow does nothing
    EXPECT_EQ(arrows.position, 0);

    EXPECT_EQ(arrows.Up("0"), "1");
    EXPECT_EQ(arrows.Down("0"), "-1");
    EXPECT_EQ(arrows.Up(" $A"), "11");

    arrows.position = 100;
    EXPECT_EQ(arrows.Up("5"), std::nullopt);
    EXPECT_EQ(arrows.position, 100);
    EXPECT_EQ(arrows.Down("2147483647"), "2147483646");
    EXPECT_EQ(arrows.Up("2147483647"), "2147483648");
}

TEST(UpDownStep, ABadTextIsReportedAndTheArrowsHaveStillMoved) {
    UpDownStep arrows;
    try {
        arrows.Up("x");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'x' は整数ではありません");
    }
    EXPECT_EQ(arrows.position, 1);
    EXPECT_THROW(arrows.Down(""), Error);
    EXPECT_EQ(arrows.position, 0);
}
