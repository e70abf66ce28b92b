#include "html/BodyTag.h"
#include "html/Css.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "html/HtmlOutput.h"
#include "text/Error.h"

#include <gtest/gtest.h>

using namespace tinsora;

namespace {

template <typename Options> Options Html5(Options o) {
    o.style = OutputStyle::Html5;
    o.lineEnd = std::string("\n");
    return o;
}

std::string Text(const GradientTextOptions& o) {
    StringSink sink;
    WriteGradientText(o, sink);
    return sink.Take();
}

std::string Table(const GradientTableOptions& o) {
    StringSink sink;
    WriteGradientTable(o, sink);
    return sink.Take();
}

GradientTextOptions Typed(std::string text) {
    GradientTextOptions o = Html5(GradientTextOptions{});
    o.text = std::move(text);
    return o;
}

const std::string kReadable = "<span style=\"position:absolute;width:1px;height:1px;"
                              "overflow:hidden;clip-path:inset(50%);white-space:nowrap\">";

std::string ErrorOf(const GradientTableOptions& o) {
    try {
        Table(o);
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(Html5Text, GivesTheTextOnceAndEveryCharacterItsColourInCss) {
    EXPECT_EQ(Text(Typed("A<&")),
              kReadable + "A&lt;&amp;</span><span aria-hidden=\"true\">\n"
                          "<span style=\"color:#FF0000;font-size:medium\">A</span>\n"
                          "<span style=\"color:#FF7F7F;font-size:medium\">&lt;</span>\n"
                          "<span style=\"color:#FFFFFF;font-size:medium\">&amp;</span>\n"
                          "</span>\n");
    // The same colours as the classic style, in the same order, breaks included.
    auto o = Typed("AB\\nXY");
    o.lineMode = false;
    EXPECT_EQ(Text(o), kReadable +
                           "AB<br>XY</span><span aria-hidden=\"true\">"
                           "<span style=\"color:#FF0000;font-size:medium\">A</span>"
                           "<span style=\"color:#FF3333;font-size:medium\">B</span><br>"
                           "<span style=\"color:#FF9999;font-size:medium\">X</span>"
                           "<span style=\"color:#FFCCCC;font-size:medium\">Y</span></span>");
}

TEST(Html5Text, MapsLegacyFontSizesAsTheHtmlStandardDoes) {
    struct Case {
        std::string text;
        std::optional<int> size;
    };
    for (const Case& c : std::vector<Case>{{"3", 3},
                                           {"1", 1},
                                           {"7", 7},
                                           {"9", 7},
                                           {"0", 1},
                                           {"+1", 4},
                                           {"+4", 7},
                                           {"+0", 3},
                                           {"-1", 2},
                                           {"-2", 1},
                                           {"-9", 1},
                                           {" 5", 5},
                                           {"2x", 2},
                                           {"99999999999", 7},
                                           {"$A", std::nullopt},
                                           {"+", std::nullopt},
                                           {"", std::nullopt}})
        EXPECT_EQ(LegacyFontSize(c.text), c.size) << c.text;
    EXPECT_EQ(FontSizeKeyword(1), "x-small");
    EXPECT_EQ(FontSizeKeyword(7), "xxx-large");

    auto o = Typed("A");
    o.sizeText = "+2";
    EXPECT_NE(Text(o).find("color:#FF0000;font-size:x-large\">A"), std::string::npos);
    o.sizeText = "";
    EXPECT_NE(Text(o).find("<span style=\"color:#FF0000\">A"), std::string::npos);
    o.sizeText = "$A"; // an integer to the program, no size to a browser
    EXPECT_NE(Text(o).find("<span style=\"color:#FF0000\">A"), std::string::npos);
}

TEST(Html5Text, WritesDecorationsAsConformingElementsInTheirOrder) {
    auto all = Typed("A");
    all.bold = all.italic = all.underline = all.strikeOut = all.tt = all.tateIchi = true;
    const std::string text = Text(all);
    EXPECT_NE(text.find("<span style=\"color:#FF0000;font-size:medium\"><b><i><u><s>"
                        "<span style=\"font-family:monospace\"><sup>A</sup></span></s></u></i></b>"
                        "</span>"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("<style>"), std::string::npos) << "no head part without animations";

    auto scoped = Typed("A");
    scoped.bold = true;
    scoped.scope = TagScope::String;
    EXPECT_NE(Text(scoped).find("<span aria-hidden=\"true\">\n<b>\n<span style=\"color:#FF0000;"
                                "font-size:medium\">A</span>\n</b>\n</span>\n"),
              std::string::npos);
}

TEST(Html5Text, AnimatesBlinkAndMarqueeFromAHeadPart) {
    auto o = Typed("A");
    o.blink = true;
    o.marquee = true;
    o.marqueeDirection = MarqueeDirection::Right;
    o.marqueeBehavior = MarqueeBehavior::Alternate;
    const std::string text = Text(o);
    const std::size_t head = text.find(kHeadPartMark);
    const std::size_t body = text.find(kBodyPartMark);
    ASSERT_EQ(head, 0u);
    ASSERT_NE(body, std::string::npos);
    const std::string headPart = text.substr(0, body);
    EXPECT_NE(headPart.find("@keyframes tinsora-blink{"), std::string::npos);
    EXPECT_NE(headPart.find("@keyframes tinsora-marquee-right-alternate{from{left:0;transform:"
                            "translateX(0)}to{left:100%;transform:translateX(-100%)}}"),
              std::string::npos);
    EXPECT_NE(headPart.find("infinite alternate"), std::string::npos);
    EXPECT_NE(headPart.find("prefers-reduced-motion"), std::string::npos);
    const std::string bodyPart = text.substr(body);
    EXPECT_NE(bodyPart.find("<span class=\"tinsora-marquee\"><span "
                            "class=\"tinsora-marquee-right-alternate\">\n" +
                            kReadable),
              std::string::npos);
    EXPECT_NE(bodyPart.find("<span class=\"tinsora-blink\">A</span>"), std::string::npos);
    EXPECT_TRUE(bodyPart.ends_with("</span>\n</span></span>\n"));

    for (const auto behavior :
         {MarqueeBehavior::Scroll, MarqueeBehavior::Slide, MarqueeBehavior::Alternate}) {
        o.marqueeBehavior = behavior;
        o.marqueeDirection = MarqueeDirection::Left;
        const std::string left = Text(o);
        o.marqueeDirection = MarqueeDirection::Right;
        EXPECT_NE(left, Text(o)) << "each direction has its own keyframes";
    }
}

TEST(Html5Text, KeepsEveryCharacterAndWritesNoneThatHtmlForbids) {
    // Controls and bytes that are no UTF-8 become U+FFFD, visibly; nothing is dropped.
    const std::string text = Text(Typed(std::string("a\x01\xFF", 3)));
    EXPECT_NE(text.find(">a</span>"), std::string::npos);
    EXPECT_EQ(text.find('\x01'), std::string::npos);
    EXPECT_EQ(text.find('\xFF'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\xBD'), 4); // twice in each copy

    auto cp932 = Typed("あ😀<");
    cp932.encoding = TextEncoding::Cp932;
    const std::string bytes = Text(cp932);
    EXPECT_NE(bytes.find(">\x82\xA0</span>"), std::string::npos);
    EXPECT_NE(bytes.find(">&#x1F600;</span>"), std::string::npos) << "lossless where no form";
    EXPECT_NE(bytes.find(">&lt;</span>"), std::string::npos);

    GradientTextOptions file = Html5(GradientTextOptions{});
    file.source = GradientTextSource::File;
    const std::string fileBytes = "<\x01\r\n\x82\xA0\x82";
    file.fileBytes = fileBytes;
    EXPECT_EQ(Text(file), kReadable + "&lt;\xEF\xBF\xBD<br>あ\xEF\xBF\xBD</span><span "
                                      "aria-hidden=\"true\">\n"
                                      "<span style=\"color:#FF0000;font-size:medium\">&lt;</span>\n"
                                      "<span style=\"color:#FF7F7F;font-size:medium\">\xEF\xBF\xBD"
                                      "</span>\n<br>\n"
                                      "<span style=\"color:#00FF00;font-size:medium\">あ</span>\n"
                                      "<span style=\"color:#0000FF;font-size:medium\">\xEF\xBF\xBD"
                                      "</span>\n<br>\n</span>\n");
}

TEST(Html5Table, PutsSpacingPaddingAndSizesInCss) {
    GradientTableOptions o = Html5(GradientTableOptions{});
    o.cols = "2";
    o.rows = "1";
    o.padding = " 3 ";
    o.spacing = "1.5";
    o.width = "50%";
    o.height = "2EM";
    EXPECT_EQ(Table(o), "<table role=\"presentation\" style=\"border-spacing:1.5px\">\n"
                        "  <tbody>\n"
                        "    <tr>\n"
                        "      <td style=\"padding:3px;width:50%;height:2EM;"
                        "background-color:#FF0000\"></td>\n"
                        "      <td style=\"padding:3px;width:50%;height:2EM;"
                        "background-color:#FF7F7F\"></td>\n"
                        "    </tr>\n"
                        "  </tbody>\n"
                        "</table>\n");
    // An empty box gives no property, as an empty attribute gives none.
    o.padding = o.spacing = o.width = o.height = "";
    o.lineMode = false;
    EXPECT_EQ(Table(o), "<table role=\"presentation\"><tbody><tr>"
                        "<td style=\"background-color:#FF0000\"></td>"
                        "<td style=\"background-color:#FF7F7F\"></td></tr></tbody></table>");
    // HTML has no row without a cell: a table of no columns has no rows either.
    o.cols = "0";
    o.rows = "3";
    EXPECT_EQ(Table(o), "<table role=\"presentation\"><tbody></tbody></table>");
    EXPECT_EQ(GradientTableSize(o).lo, Table(o).size());
}

TEST(Html5Table, RefusesBoxesThatHoldNoLengthBeforeWritingAnything) {
    for (const std::string bad :
         {"-1", "5.", "1 2", "10px;color:red", "\"><script>", "x", "1e3", "+5", "50%%"}) {
        GradientTableOptions o = Html5(GradientTableOptions{});
        o.width = bad;
        EXPECT_EQ(ErrorOf(o), "'" + bad + "' は CSS の長さとして使えません") << bad;
        StringSink sink;
        EXPECT_THROW(WriteGradientTable(o, sink), Error);
        EXPECT_TRUE(sink.Text().empty());
        o.style = OutputStyle::Classic; // copied as typed there, as it always was
        EXPECT_EQ(ErrorOf(o), "(no error)");
    }
    for (const std::string good : {"0", ".5", "12", "1.25", "3vw", "2rem", "10PX", "7%"}) {
        EXPECT_TRUE(CssLength(good).has_value()) << good;
        EXPECT_EQ(*CssLength(good),
                  good.find_first_not_of("0123456789.") == std::string::npos ? good + "px" : good);
    }
    GradientTableOptions counts = Html5(GradientTableOptions{});
    counts.cols = "x";
    counts.width = "-1";
    EXPECT_EQ(ErrorOf(counts), "'x' は整数ではありません") << "the counts come first";
}

TEST(Html5Table, TheCssGradientIsOneSmallDivOfTheTablesSize) {
    GradientTableOptions o = Html5(GradientTableOptions{});
    o.cssGradient = true;
    o.cols = "100";
    o.rows = "100";
    o.width = "3";
    o.height = "2";
    const std::string div = Table(o);
    EXPECT_LT(div.size(), 1024u);
    EXPECT_EQ(div, "<div style=\"width:300px;height:200px;background:linear-gradient(to right,"
                   "#00FF00,#0000FF)\">\n"
                   "  <div style=\"height:100%;background:linear-gradient(to right,#FF0000,"
                   "#FFFFFF);mask-image:linear-gradient(#000,transparent)\"></div>\n"
                   "</div>\n");
    o.width = "50%";
    o.height = "1.5em";
    EXPECT_NE(Table(o).find("width:calc(100 * 50%);height:calc(100 * 1.5em)"), std::string::npos);
    o.rows = "0";
    EXPECT_NE(Table(o).find("width:0;height:0"), std::string::npos);
    o.height = "";
    EXPECT_EQ(ErrorOf(o), "CSS gradient にはセルの幅と高さが必要です");
}

TEST(Html5Body, WritesTheColoursAsAStyleSheetAndAPlainBodyTag) {
    BodyTagOptions o = Html5(BodyTagOptions{});
    o.colors[2] = ColorRGB{255, 128, 0};
    o.lineMode = false; // the tag is the same whatever the line mode
    StringSink sink;
    WriteBodyTag(o, sink);
    EXPECT_EQ(sink.Text(), std::string(kHeadPartMark) +
                               "\n<style>\nbody{background-color:#FFFFFF;color:#000000}\n"
                               "a:link{color:#FF8000}\na:visited{color:#000000}\n"
                               "a:active{color:#000000}\n</style>\n" +
                               std::string(kBodyPartMark) + "\n<body>\n");
}

TEST(HtmlPage, WrapsThePartsAsTheGeneratorsWriteThemAsAPage) {
    const std::string start =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>ティンソラ</title>\n";
    EXPECT_EQ(MakeHtmlPage("<FONT>x</FONT>"),
              start + "</head>\n<body>\n<main>\n<FONT>x</FONT>\n</main>\n</body>\n</html>\n");
    EXPECT_EQ(MakeHtmlPage("<BODY BgColor=\"#000000\">"),
              start + "</head>\n<BODY BgColor=\"#000000\">\n<main>\n</main>\n</body>\n</html>\n");

    // A page written by a generator is the page made from its fragment, in both line modes.
    for (const bool lineMode : {true, false}) {
        auto text = Typed("AB");
        text.blink = true;
        text.lineMode = lineMode;
        auto page = text;
        page.page = true;
        EXPECT_EQ(Text(page), MakeHtmlPage(Text(text))) << lineMode;

        GradientTableOptions table = Html5(GradientTableOptions{});
        table.lineMode = lineMode;
        GradientTableOptions tablePage = table;
        tablePage.page = true;
        EXPECT_EQ(Table(tablePage), MakeHtmlPage(Table(table))) << lineMode;
    }
    BodyTagOptions body = Html5(BodyTagOptions{});
    StringSink fragment;
    WriteBodyTag(body, fragment);
    body.page = true;
    StringSink page;
    WriteBodyTag(body, page);
    EXPECT_EQ(page.Text(), MakeHtmlPage(fragment.Text()));
    EXPECT_NE(page.Text().find("</style>\n</head>\n<body>\n<main>\n</main>\n"), std::string::npos);
}

TEST(OutputFrame, LineModeEndsEveryEntryJoinedModeConcatenates) {
    for (const bool lineMode : {true, false}) {
        OutputOptions o;
        o.lineMode = lineMode;
        StringSink sink;
        OutputBuffer out(sink);
        OutputFrame frame(out, o);
        frame.Begin({});
        frame.Entry("a");
        frame.Entry("");
        frame.Entry("b");
        frame.End();
        out.Flush();
        EXPECT_EQ(sink.Text(), lineMode ? "a\r\n\r\nb\r\n" : "ab");
    }
}
