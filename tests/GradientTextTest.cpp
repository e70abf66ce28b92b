#include "html/GradientText.h"

#include "gradient/Gradation.h"
#include "messages/Messages.h"
#include "text/Cp932.h"
#include "text/Error.h"
#include "text/TextFile.h"

#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <random>

using namespace tinsora;
using Lines = std::vector<std::string>;

namespace {

GradientTextOptions Typed(std::string text) {
    GradientTextOptions o;
    o.text = std::move(text);
    return o;
}

GradientTextOptions FromFile(std::string cp932) {
    static std::deque<std::string> files; // the options only view the bytes
    GradientTextOptions o;
    o.source = GradientTextSource::File;
    o.fileBytes = files.emplace_back(std::move(cp932));
    return o;
}

// The output with every entry followed by lineEnd, or joined.
std::string Text(GradientTextOptions o, std::string_view lineEnd = "\n", bool lineMode = true) {
    o.lineEnd = lineEnd;
    o.lineMode = lineMode;
    StringSink sink;
    WriteGradientText(o, sink);
    return sink.Take();
}

Lines Entries(const GradientTextOptions& o) {
    const std::string text = Text(o);
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Entry(std::string_view color, std::string_view ch, std::string_view size = "3") {
    std::string e = "<FONT Color=\"#" + std::string(color) + "\"";
    if (!size.empty())
        e += " Size=\"" + std::string(size) + "\"";
    return e + ">" + std::string(ch) + "</FONT>";
}

// The colour digits of every character entry, "BR" for a line break.
std::vector<std::string> Colors(const Lines& entries) {
    std::vector<std::string> colors;
    for (const auto& e : entries)
        colors.push_back(e == "<BR>" ? "BR" : e.substr(14, 6));
    return colors;
}

std::string ErrorOf(const GradientTextOptions& o) {
    try {
        StringSink sink;
        WriteGradientText(o, sink);
    } catch (const Error& e) {
        return Worded(e, Language::Japanese);
    }
    return "no error";
}

} // namespace

TEST(GradientText, RunsRedToWhiteOverTenLetters) {
    EXPECT_EQ(Colors(Entries(Typed("ABCDEFGHIJ"))),
              (std::vector<std::string>{"FF0000", "FF1C1C", "FF3838", "FF5555", "FF7171", "FF8D8D",
                                        "FFAAAA", "FFC6C6", "FFE2E2", "FFFFFF"}));
    EXPECT_EQ(Entries(Typed("AB"))[0], Entry("FF0000", "A"));
}

TEST(GradientText, MeasuresDoubleByteCharactersInCodePage932Bytes) {
    // あ at s = 0; い at s = 2 of divisor 3: two thirds of the way, not colour 2.
    EXPECT_EQ(Entries(Typed("あい")), (Lines{Entry("FF0000", "あ"), Entry("FFAAAA", "い")}));
}

TEST(GradientText, TurnsBackslashNIntoALineBreakOnlyAtTheStartOfACharacter) {
    EXPECT_EQ(Entries(Typed("AB\\nXY")), (Lines{Entry("FF0000", "A"), Entry("FF3333", "B"), "<BR>",
                                                Entry("FF9999", "X"), Entry("FFCCCC", "Y")}));
    // ソ ends in the byte 0x5C; the n after it is a character of its own.
    EXPECT_EQ(Utf8ToCp932("ソ"), "\x83\x5C");
    EXPECT_EQ(Colors(Entries(Typed("ソn"))), (std::vector<std::string>{"FF0000", "FFFFFF"}));
    // An escape at the very start advances s by 1; a lone backslash is a character.
    EXPECT_EQ(Colors(Entries(Typed("\\nAB"))),
              (std::vector<std::string>{"BR", "FF5555", "FFAAAA"}));
    EXPECT_EQ(Entries(Typed("A\\")).back(), Entry("FFFFFF", "\\"));
}

TEST(GradientText, PreviewDrawsTypedCharactersAtTheirBytePositions) {
    const auto r = MakeGradientTextPreview(Typed("AB\\nXY"));
    EXPECT_EQ(r.previewSize, 13);
    std::vector<std::int64_t> xs;
    std::string chars;
    for (const auto& g : r.glyphs) {
        xs.push_back(g.x);
        chars += g.Text();
    }
    EXPECT_EQ(xs, (std::vector<std::int64_t>{5, 13, 37, 45})); // the escape leaves two positions
    EXPECT_EQ(chars, "ABXY");
    EXPECT_EQ(r.glyphs[1].color, (ColorRGB{255, 0x33, 0x33}));

    const auto wide = MakeGradientTextPreview(Typed("あい"));
    ASSERT_EQ(wide.glyphs.size(), 2u);
    EXPECT_EQ(wide.glyphs[1].x, 21);
    EXPECT_EQ(wide.glyphs[1].Text(), "い");
    EXPECT_TRUE(MakeGradientTextPreview(FromFile("AB")).glyphs.empty());
}

TEST(GradientText, KeepsCharactersWithoutACodePage932FormAsWideCharacters) {
    EXPECT_EQ(Entries(Typed("😀A")), (Lines{Entry("FF0000", "😀"), Entry("FFFFFF", "A")}));
    auto o = Typed("😀A");
    o.encoding = TextEncoding::Cp932;
    EXPECT_EQ(Entries(o)[0], Entry("FF0000", "&#128512;"));
    o.text = "\xFF"; // a byte that is no character
    EXPECT_EQ(Entries(o)[0], Entry("FF0000", "&#65533;"));
}

TEST(GradientText, WritesCodePage932BytesWhenAskedTo) {
    auto typed = Typed("あ");
    typed.encoding = TextEncoding::Cp932;
    EXPECT_EQ(Entries(typed)[0], Entry("FF0000", "\x82\xA0"));
    auto file = FromFile("\x82\xA0");
    EXPECT_EQ(Entries(file)[0], Entry("FF0000", "あ"));
    file.encoding = TextEncoding::Cp932;
    EXPECT_EQ(Entries(file)[0], Entry("FF0000", "\x82\xA0"));
}

TEST(GradientText, AnEmptyStringWithStringScopeGivesTheTwoTagEntries) {
    auto o = Typed("");
    o.scope = TagScope::String;
    EXPECT_EQ(Entries(o), (Lines{"", ""}));
    EXPECT_EQ(Text(o, "\r\n"), "\r\n\r\n");
    EXPECT_EQ(Entries(Typed("")), Lines{});
}

TEST(GradientText, ReadsATextFileAsCornersOfARectangle) {
    EXPECT_EQ(Entries(FromFile("AB\r\n\r\nCD")),
              (Lines{Entry("FF0000", "A"), Entry("FFFFFF", "B"), "<BR>", "<BR>",
                     Entry("00FF00", "C"), Entry("0000FF", "D"), "<BR>"}));
    // A shorter line does not reach its right edge; the escape means nothing here.
    EXPECT_EQ(Colors(Entries(FromFile("ABC\nx\\n"))),
              (std::vector<std::string>{"FF0000", "FF7F7F", "FFFFFF", "BR", "00FF00", "007F7F",
                                        "0000FF", "BR"}));
}

TEST(GradientText, AFileOfEmptyLinesGivesOnlyLineBreaks) {
    EXPECT_EQ(Entries(FromFile("\r\n\n\r")), (Lines{"<BR>", "<BR>", "<BR>"}));
    EXPECT_EQ(Text(FromFile("\r\n\r\n")), "<BR>\n<BR>\n");
}

TEST(GradientText, TakesALeadByteAtTheEndOfALineAsOneCharacter) {
    EXPECT_EQ(Entries(FromFile("A\x82")),
              (Lines{Entry("FF0000", "A"), Entry("FFFFFF", "\uFFFD"), "<BR>"}));
    auto raw = FromFile("A\x82\r\nB");
    raw.encoding = TextEncoding::Cp932;
    EXPECT_EQ(Entries(raw), (Lines{Entry("FF0000", "A"), Entry("FFFFFF", "\x82"), "<BR>",
                                   Entry("00FF00", "B"), "<BR>"}));
}

TEST(GradientText, ZeroDivisorsGiveTheStartColour) {
    auto four = Typed("ABC"); // three bytes over three segments
    four.colorCountText = "4";
    EXPECT_EQ(Colors(Entries(four)), (std::vector<std::string>{"FF0000", "FFFFFF", "00FF00"}));
    EXPECT_EQ(Colors(Entries(Typed("A"))), std::vector<std::string>{"FF0000"});
    // One line: colour 1 and colour 2 are its edges.
    EXPECT_EQ(Colors(Entries(FromFile("ABC"))),
              (std::vector<std::string>{"FF0000", "FF7F7F", "FFFFFF", "BR"}));
    // Longest line one byte: every line takes its left edge.
    EXPECT_EQ(Colors(Entries(FromFile("A\r\nB\r\nC"))),
              (std::vector<std::string>{"FF0000", "BR", "7F7F00", "BR", "00FF00", "BR"}));
    EXPECT_EQ(Colors(Entries(FromFile("A"))), (std::vector<std::string>{"FF0000", "BR"}));
}

TEST(GradientText, CarriesTheLastSegmentOnOverTheCharactersLeftAfterIt) {
    auto o = Typed("ABCDEFGH"); // 8 bytes over 3 segments of 2, divisor 2
    o.colorCountText = "4";
    EXPECT_EQ(Colors(Entries(o)),
              (std::vector<std::string>{"FF0000", "FF7F7F", "FFFFFF", "7FFF7F", "00FF00", "007F7F",
                                        "0000FF", "007FFF"})); // blue clamped at FF
}

TEST(GradientText, ReadsTheColourCountAsTyped) {
    const auto withCount = [](std::string count, int lastGradColor = 1) {
        auto o = Typed("ABCD");
        o.colorCountText = std::move(count);
        o.lastGradColor = lastGradColor;
        return Colors(Entries(o));
    };
    EXPECT_EQ(withCount("9"), withCount("4"));
    EXPECT_EQ(withCount("1"), withCount("2"));
    EXPECT_EQ(withCount("-3"), withCount("2"));
    EXPECT_EQ(withCount("", 2), withCount("3"));
    EXPECT_NE(withCount("3"), withCount("2"));
}

TEST(GradientText, WritesTheSizeAttributeAsTypedAndSizesThePreview) {
    struct Case {
        std::string text;
        std::string entry;
        std::int64_t previewSize;
    };
    for (const Case& c : std::vector<Case>{{"", Entry("FF0000", "A", ""), 13},
                                           {"3", Entry("FF0000", "A", "3"), 13},
                                           {"+1", Entry("FF0000", "A", "+1"), 4},
                                           {"-1", Entry("FF0000", "A", "-1"), -4},
                                           {"7", Entry("FF0000", "A", "7"), 31}}) {
        auto o = Typed("A");
        o.sizeText = c.text;
        EXPECT_EQ(Entries(o)[0], c.entry) << c.text;
        EXPECT_EQ(MakeGradientTextPreview(o).previewSize, c.previewSize) << c.text;
    }
}

TEST(GradientText, NestsDecorationTagsInTheirFixedOrder) {
    auto all = Typed("A");
    all.bold = all.italic = all.underline = all.strikeOut = all.tt = all.blink = all.tateIchi =
        true;
    const auto r = MakeGradientTextPreview(all);
    EXPECT_EQ(Entries(all),
              Lines{"<FONT Color=\"#FF0000\" Size=\"3\"><B><I><U><S><TT><BLINK><SUP>A</SUP></BLINK>"
                    "</TT></S></U></I></B></FONT>"});
    EXPECT_TRUE(r.bold && r.italic && r.underline && r.strikeOut);

    auto some = Typed("A");
    some.bold = some.strikeOut = true;
    some.sup = false;
    some.sub = true; // not read while the vertical position is off
    EXPECT_EQ(Entries(some)[0], Entry("FF0000", "<B><S>A</S></B>"));
    some.tateIchi = true;
    EXPECT_EQ(Entries(some)[0], Entry("FF0000", "<B><S><SUB>A</SUB></S></B>"));
    some.scope = TagScope::String;
    EXPECT_EQ(Entries(some), (Lines{"<B><S><SUB>", Entry("FF0000", "A"), "</SUB></S></B>"}));
}

TEST(GradientText, WrapsEverythingInTheMarquee) {
    struct Case {
        MarqueeDirection direction;
        MarqueeBehavior behavior;
        std::string line;
    };
    for (const Case& c : std::vector<Case>{{MarqueeDirection::Right, MarqueeBehavior::Alternate,
                                            "<MARQUEE Direction=\"right\" Behavior=\"alternate\">"},
                                           {MarqueeDirection::Left, MarqueeBehavior::Scroll,
                                            "<MARQUEE Direction=\"left\" Behavior=\"scroll\">"},
                                           {MarqueeDirection::Left, MarqueeBehavior::Slide,
                                            "<MARQUEE Direction=\"left\" Behavior=\"slide\">"}}) {
        auto o = Typed("A");
        o.marquee = true;
        o.marqueeDirection = c.direction;
        o.marqueeBehavior = c.behavior;
        o.scope = TagScope::String;
        EXPECT_EQ(Entries(o), (Lines{c.line, "", Entry("FF0000", "A"), "", "</MARQUEE>"}));
    }
}

TEST(GradientText, JoinedModeConcatenatesTheEntries) {
    const auto o = Typed("A\\nB");
    EXPECT_EQ(Text(o, "\r\n", false), Entry("FF0000", "A") + "<BR>" + Entry("FFAAAA", "B"));
    EXPECT_EQ(Text(o, "\r\n"),
              Entry("FF0000", "A") + "\r\n<BR>\r\n" + Entry("FFAAAA", "B") + "\r\n");
}

TEST(GradientText, ReportsBadInputBeforeProducingAnything) {
    auto size = Typed("A");
    size.sizeText = "大";
    size.colorCountText = "x";
    EXPECT_EQ(ErrorOf(size), "'大' は整数ではありません"); // the size comes first
    auto count = Typed("A");
    count.colorCountText = "x";
    EXPECT_EQ(ErrorOf(count), "'x' は整数ではありません");

    auto file = FromFile("AB");
    file.colorCountText = "x"; // the count plays no part for a file
    EXPECT_EQ(Entries(file).size(), 3u);
    EXPECT_THROW(CheckGradientText(size), Error);
    EXPECT_THROW(MakeGradientTextPreview(count), Error);

    StringSink sink;
    EXPECT_THROW(WriteGradientText(size, sink), Error);
    EXPECT_TRUE(sink.Text().empty());
}

namespace {

// The entries of a file's gradient text by a plain character-by-character reading of the rules.
Lines ByTheRule(const std::string& bytes, const GradientColors& colors) {
    const auto lines = SplitLines(bytes);
    std::size_t maxLen = 0;
    for (const auto& line : lines)
        maxLen = std::max(maxLen, line.size());
    const auto n = static_cast<int>(lines.size()) - 1;
    const auto divisor = static_cast<int>(maxLen) - 1;
    Lines expected;
    for (int i = 0; i <= n; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        for (std::size_t x = 0; x < line.size();) {
            const std::size_t w = IsLeadByte(line[x]) && x + 1 < line.size() ? 2 : 1;
            std::string hex;
            for (auto channel : {&ColorRGB::Red, &ColorRGB::Green, &ColorRGB::Blue}) {
                const auto left =
                    static_cast<int>(GradientStep(colors[0].*channel, colors[2].*channel, n, i));
                const auto right =
                    static_cast<int>(GradientStep(colors[1].*channel, colors[3].*channel, n, i));
                hex += ChannelToHex(
                    static_cast<int>(GradientStep(left, right, divisor, static_cast<int>(x))));
            }
            expected.push_back(Entry(hex, Cp932ToUtf8(line.substr(x, w))));
            x += w;
        }
        expected.push_back("<BR>");
    }
    return expected;
}

std::string MixedLine(std::mt19937& random, int pieces) {
    const std::string kinds[] = {"A", "z", " ", "\x82\xA0", "\x88\x9F", "\x83\x5C", "\xB1", "\\n"};
    std::string line;
    for (int k = 0; k < pieces; ++k)
        line += kinds[random() % std::size(kinds)];
    return line;
}

} // namespace

// Files whose lines share their edge colours, grow and shrink, and pass the length up to
// which a line's colours are kept, against the rule.
TEST(GradientText, FilesOfRepeatedEdgesAndHugeLinesMatchTheCharacterByCharacterRule) {
    std::mt19937 random(11);
    const GradientColors flatColumns = {ColorRGB{0, 10, 200}, ColorRGB{255, 90, 3},
                                        ColorRGB{0, 10, 200}, ColorRGB{255, 90, 3}};
    std::string sameEdges;
    for (const int pieces : {3, 40, 1, 90, 90, 2, 60})
        sameEdges += MixedLine(random, pieces) + "\r\n";
    std::string hugeLine = MixedLine(random, 20) + "\n" + MixedLine(random, 50000) + "\n" +
                           MixedLine(random, 7) + "\r\n" + MixedLine(random, 49000) + "\x82";
    for (const auto& [bytes, colors] :
         {std::pair{sameEdges, flatColumns},
          std::pair{hugeLine, GradientColors{ColorRGB{12, 200, 7}, ColorRGB{250, 3, 90},
                                             ColorRGB{0, 0, 255}, ColorRGB{128, 255, 64}}}}) {
        GradientTextOptions o = FromFile(bytes);
        o.gradColors = colors;
        EXPECT_EQ(Entries(o), ByTheRule(bytes, colors)) << bytes.size() << " bytes";
    }
}

// A long mixed file against a plain character-by-character reading of the
// rules, written through a sink that sees it in many pieces.
TEST(GradientText, LargeFilesMatchTheCharacterByCharacterRule) {
    std::mt19937 random(5);
    std::string bytes;
    for (int line = 0; line < 300; ++line) {
        bytes += MixedLine(random, line == 7 ? 2500 : static_cast<int>(random() % 90));
        bytes += line % 3 == 0 ? "\r\n" : "\n";
    }
    bytes += "\x82"; // and a last line ending in a lead byte

    GradientTextOptions o = FromFile(bytes);
    o.gradColors = {ColorRGB{12, 200, 7}, ColorRGB{250, 3, 90}, ColorRGB{0, 0, 255},
                    ColorRGB{128, 255, 64}};
    const Lines expected = ByTheRule(bytes, o.gradColors);

    struct Pieces final : OutputSink {
        std::string text;
        int writes = 0;
        std::uint64_t lastDone = 0;
        bool ordered = true;
        void Write(std::string_view bytes) override {
            text.append(bytes);
            ++writes;
        }
        void Progress(std::uint64_t done, std::uint64_t total) override {
            ordered = ordered && done >= lastDone && done <= total;
            lastDone = done;
        }
    } sink;
    o.lineEnd = std::string("\n");
    WriteGradientText(o, sink);
    EXPECT_GT(sink.writes, 1);
    EXPECT_TRUE(sink.ordered);
    EXPECT_EQ(sink.lastDone, bytes.size());
    ASSERT_EQ(Entries(o), expected);
    EXPECT_EQ(sink.text, Text(o));
}

// With class rules, the style sheet names each colour the characters take once, in the order
// they are first met, however the characters of lines with the same edges fall: in long runs
// of such lines and in short ones.
TEST(GradientText, ClassRulesOfAFileNameEachColourOnceInTheOrderMet) {
    std::mt19937 random(23);
    std::string bytes;
    for (int line = 0; line < 400; ++line)
        bytes += MixedLine(random, static_cast<int>(random() % 40)) + "\r\n";
    GradientTextOptions o = FromFile(bytes);
    o.style = OutputStyle::Html5;
    o.css = CssForm::Classes;
    for (const int lastGreen : {12, 60}) {
        o.gradColors = {ColorRGB{0, 10, 200}, ColorRGB{255, 90, 3}, ColorRGB{0, lastGreen, 200},
                        ColorRGB{255, 93, 3}};
        const std::string text = Text(o);
        std::vector<std::string> rules;
        std::vector<std::string> met;
        for (std::size_t at = text.find(".tc-"); at < text.find("</style>");
             at = text.find(".tc-", at + 1))
            rules.push_back(text.substr(at + 4, 6));
        for (std::size_t at = text.find(" tc-"); at != std::string::npos;
             at = text.find(" tc-", at + 1)) {
            const std::string hex = text.substr(at + 4, 6);
            if (std::find(met.begin(), met.end(), hex) == met.end())
                met.push_back(hex);
        }
        EXPECT_GT(met.size(), 20u);
        EXPECT_EQ(rules, met);
    }
}

// Texts that end exactly where their memory ends, so that a read past the end shows under
// AddressSanitizer: files ending in a lead byte, a CR or a whole character, and typed texts of
// every short length, in each form.
TEST(GradientText, ReadsNothingPastTheEndOfItsText) {
    std::vector<std::unique_ptr<char[]>> held;
    const auto exact = [&](std::string_view bytes) {
        held.push_back(std::make_unique<char[]>(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), held.back().get());
        return std::string_view(held.back().get(), bytes.size());
    };
    std::vector<GradientTextOptions> runs;
    for (const std::string_view file :
         {std::string_view("a"), std::string_view("ab\r\n\x82"), std::string_view("x\r"),
          std::string_view("\x82\xA0\x88\x9F<&>\"")}) {
        GradientTextOptions o;
        o.source = GradientTextSource::File;
        o.fileBytes = exact(file);
        runs.push_back(o);
    }
    std::string typed;
    for (const char* piece : {"a", "あ", "€", "<", "\\n", "😀", "ｱ"}) {
        for (int k = 0; k < 6; ++k) {
            typed += piece;
            runs.push_back(Typed(typed));
        }
    }
    for (GradientTextOptions& o : runs) {
        for (const auto& [style, css] : {std::pair{OutputStyle::Classic, CssForm::Inline},
                                         std::pair{OutputStyle::Html5, CssForm::Inline},
                                         std::pair{OutputStyle::Html5, CssForm::Classes}}) {
            for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Cp932}) {
                o.style = style;
                o.css = css;
                o.encoding = encoding;
                o.tt = true;
                EXPECT_FALSE(Text(o).empty());
            }
        }
    }
}
