#include "html/GradientTable.h"

#include "messages/Messages.h"
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
    o.lineEnd = std::string("\n");
    return o;
}

std::string Text(const GradientTableOptions& o) {
    StringSink sink;
    WriteGradientTable(o, sink);
    return sink.Take();
}

// The entries of a table in line mode.
Lines MakeGradientTable(const GradientTableOptions& o) {
    const std::string text = Text(o);
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Cell(std::string_view hex, std::string_view indent = "      ") {
    return std::string(indent) + "<TD bgcolor=\"#" + std::string(hex) +
           "\" width=\"1\" height=\"1\"></TD>";
}

// The six colour digits of every cell, row by row.
std::vector<std::string> CellColours(const Lines& lines) {
    std::vector<std::string> colours;
    for (const std::string_view line : lines) {
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
        Text(o);
    } catch (const Error& e) {
        return Worded(e, Language::Japanese);
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
    EXPECT_EQ(MakeGradientTable(Table("3", "3")), expected);
}

TEST(GradientTable, ASingleRowOrColumnStopsShortOfTheNextCorner) {
    EXPECT_EQ(CellColours(MakeGradientTable(Table("3", "1"))),
              (Lines{"FF0000", "FF5555", "FFAAAA"}));
    EXPECT_EQ(CellColours(MakeGradientTable(Table("1", "3"))),
              (Lines{"FF0000", "AA5500", "55AA00"}));

    auto one = Table("1", "1");
    one.colors[0] = ColorRGB{0x12, 0x34, 0x56};
    EXPECT_EQ(MakeGradientTable(one),
              (Lines{"<TABLE cellpadding=\"0\" cellspacing=\"0\">", "  <TBODY>", "    <TR>",
                     Cell("123456"), "    </TR>", "  </TBODY>", "</TABLE>"}));
}

TEST(GradientTable, EveryCellIsTheGradientStepOfItsRowEdges) {
    const GradientColors colourSets[] = {
        kInitialGradientColors,
        {ColorRGB{0, 0, 0}, ColorRGB{250, 7, 255}, ColorRGB{3, 200, 128}, ColorRGB{255, 255, 1}},
        {ColorRGB{9, 90, 180}, ColorRGB{9, 90, 180}, ColorRGB{200, 100, 0}, ColorRGB{0, 59, 255}}};
    // Tall tables have runs of rows with the same edges; rows of over a megabyte are not kept.
    const std::pair<int, int> sizes[] = {{1, 1},   {1, 9},   {9, 1},   {2, 2},
                                         {8, 2},   {7, 5},   {71, 3},  {3, 71},
                                         {256, 2}, {5, 700}, {700, 5}, {30000, 3}};
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
    EXPECT_EQ(MakeGradientTable(Table("0", "2")), twoEmptyRows);
    EXPECT_EQ(MakeGradientTable(Table("-4", "2")), twoEmptyRows);

    for (const auto& [cols, rows] : {std::pair{"3", "0"}, {"0", "0"}, {"5", "-1"}})
        EXPECT_EQ(MakeGradientTable(Table(cols, rows)), noRows) << cols << " " << rows;
}

// Found by fuzzing: the lowest count, less the edge, overflowed before any row was built.
TEST(GradientTable, TheLowestCountIsLikeAnyCountBelowOne) {
    EXPECT_EQ(MakeGradientTable(Table("-2147483648", "2")), twoEmptyRows);
    EXPECT_EQ(MakeGradientTable(Table("3", "$80000000")), noRows);
    EXPECT_EQ(MakeGradientTable(Table("-2147483648", "-2147483648")), noRows);

    EXPECT_EQ(Text(Table("-2147483648", "2")),
              "<TABLE cellpadding=\"0\" cellspacing=\"0\">\n  <TBODY>\n    <TR>\n    "
              "</TR>\n    <TR>\n    </TR>\n  </TBODY>\n</TABLE>\n");
}

TEST(GradientTable, CopiesTheFourTextsAsTyped) {
    auto o = Table("2", "1");
    o.padding = "5";
    o.spacing = " x";
    o.width = "50%";
    o.height = "";
    const auto lines = MakeGradientTable(o);
    EXPECT_EQ(lines[0], "<TABLE cellpadding=\"5\" cellspacing=\" x\">");
    EXPECT_EQ(lines[3], "      <TD bgcolor=\"#FF0000\" width=\"50%\" height=\"\"></TD>");
    EXPECT_EQ(lines[4], "      <TD bgcolor=\"#FF7F7F\" width=\"50%\" height=\"\"></TD>");
}

TEST(GradientTable, JoinedModeHasNoIndentation) {
    auto o = Table("3", "1");
    o.lineMode = false;
    EXPECT_EQ(Text(o), "<TABLE cellpadding=\"0\" cellspacing=\"0\"><TBODY><TR>" +
                           Cell("FF0000", "") + Cell("FF5555", "") + Cell("FFAAAA", "") +
                           "</TR></TBODY></TABLE>");
}

TEST(GradientTable, BadCountsReportTheTextColumnsFirst) {
    EXPECT_EQ(ErrorOf(Table("", "1")), "'' は整数ではありません");
    EXPECT_EQ(ErrorOf(Table("x", "y")), "'x' は整数ではありません");
    EXPECT_EQ(ErrorOf(Table("3", "y")), "'y' は整数ではありません");
    EXPECT_THROW(GradientTableSize(Table("1", "1.5")), Error);
}

TEST(GradientTable, SizeIsCountedExactlyWithoutBuilding) {
    // 100000 x 100000 cells: written to any sink that takes them, counted here unbuilt.
    EXPECT_EQ(ToDecimal(GradientTableSize([] {
                  auto o = Table("100000", "100000");
                  o.lineEnd = std::string("\r\n");
                  return o;
              }())),
              "560002100074");
    // Past 2^64 bytes: measured exactly, never wrapped around.
    auto huge = Table("2147483647", "2147483647");
    huge.lineEnd = std::string("\r\n");
    EXPECT_EQ(ToDecimal(GradientTableSize(huge)), "258254416836512710765");

    for (const auto style : {OutputStyle::Classic, OutputStyle::Html5})
        for (const bool lineMode : {true, false})
            for (const bool page : {false, true})
                for (int rows = -1; rows <= 4; ++rows)
                    for (int cols = -1; cols <= 4; ++cols) {
                        auto o = Table(std::to_string(cols), std::to_string(rows));
                        o.style = style;
                        o.lineMode = lineMode;
                        o.page = page;
                        o.lineEnd = std::string("\r\n");
                        o.width = "100%";
                        o.spacing = "12";
                        EXPECT_EQ(GradientTableSize(o), (Uint128{0, Text(o).size()}))
                            << cols << " x " << rows;
                    }
}

TEST(GradientTable, LargeTablesGoOutInPiecesWithProgressEveryRow) {
    struct Rows final : OutputSink {
        std::string text;
        int writes = 0;
        std::vector<std::uint64_t> done;
        void Write(std::string_view bytes) override {
            text.append(bytes);
            ++writes;
        }
        void Progress(std::uint64_t d, std::uint64_t total) override {
            EXPECT_EQ(total, 80u);
            done.push_back(d);
        }
    } rows;
    WriteGradientTable(Table("100", "80"), rows);
    EXPECT_GT(rows.writes, 1);
    ASSERT_EQ(rows.done.size(), 80u);
    EXPECT_EQ(rows.done.front(), 1u);
    EXPECT_EQ(rows.done.back(), 80u);
    EXPECT_EQ(rows.text, Text(Table("100", "80")));

    // A sink may end the run by throwing; nothing more is written.
    struct Cancel final : OutputSink {
        std::size_t bytes = 0;
        void Write(std::string_view b) override { bytes += b.size(); }
        void Progress(std::uint64_t d, std::uint64_t) override {
            if (d == 3)
                throw Error("cancelled");
        }
    } cancel;
    EXPECT_THROW(WriteGradientTable(Table("100000", "100000"), cancel), Error);
    EXPECT_LT(cancel.bytes, 100000u * 100u * 4);
}
