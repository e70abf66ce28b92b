#include "html/BodyTag.h"
#include "html/Css.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "html/HtmlOutput.h"
#include "messages/Messages.h"
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

GradientTextOptions Classes(GradientTextOptions o) {
    o.css = CssForm::Classes;
    return o;
}

std::string ErrorOf(const GradientTableOptions& o) {
    try {
        Table(o);
    } catch (const Error& e) {
        return Worded(e, Language::Japanese);
    }
    return "(no error)";
}

} // namespace

TEST(Html5Text, NamesTheTextOnceAndBreaksLinesInsideTheTags) {
    // One element named with the whole text holds the coloured characters; in line mode every
    // line break sits inside a tag, so that nothing comes between the characters.
    EXPECT_EQ(Text(Typed("A<\"")), "<span role=\"img\" aria-label=\"A&lt;&quot;\"\n"
                                   "><span style=\"color:#FF0000;font-size:medium\">A</span\n"
                                   "><span style=\"color:#FF7F7F;font-size:medium\">&lt;</span\n"
                                   "><span style=\"color:#FFFFFF;font-size:medium\">\"</span\n"
                                   "></span>\n");
    // The same colours as the classic style, in the same order, breaks included.
    auto o = Typed("AB\\nXY");
    o.lineMode = false;
    o.sizeText.clear();
    EXPECT_EQ(Text(o), "<span role=\"img\" aria-label=\"AB&#xA;XY\">"
                       "<span style=\"color:#FF0000\">A</span>"
                       "<span style=\"color:#FF3333\">B</span><br>"
                       "<span style=\"color:#FF9999\">X</span>"
                       "<span style=\"color:#FFCCCC\">Y</span></span>");
    // Blanks alone name nothing: no name that says nothing.
    EXPECT_EQ(Text(Typed(" ")).substr(0, 7), "<span\n>");
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
    all.lineMode = false;
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
    EXPECT_TRUE(Text(scoped).ends_with("\"\n><b\n><span style=\"color:#FF0000;"
                                       "font-size:medium\">A</span\n></b\n></span>\n"));
}

TEST(Html5Text, AnimatesBlinkAndMarqueeFromAHeadPartAndLetsThemStop) {
    auto o = Typed("A");
    o.blink = true;
    o.marquee = true;
    o.marqueeDirection = MarqueeDirection::Right;
    o.marqueeBehavior = MarqueeBehavior::Alternate;
    o.lineMode = false; // the head part keeps its lines all the same
    const std::string text = Text(o);
    const std::size_t body = text.find(std::string(kBodyPartMark) + "\n");
    ASSERT_EQ(text.find(std::string(kHeadPartMark) + "\n<style>\n"), 0u);
    ASSERT_NE(body, std::string::npos);
    const std::string headPart = text.substr(0, body);
    // Blinking stops within five seconds; the marquee stands still under the pointer or the
    // keyboard focus, which it takes; both stand still for those who ask for less motion.
    EXPECT_NE(headPart.find("\n.tinsora-blink{animation:tinsora-blink 1s step-end 5}\n"),
              std::string::npos);
    EXPECT_NE(headPart.find("\n@keyframes tinsora-marquee-right-alternate{from{left:0;transform:"
                            "translateX(0)}to{left:100%;transform:translateX(-100%)}}\n"),
              std::string::npos);
    EXPECT_NE(headPart.find("\n.tinsora-marquee:hover>*,.tinsora-marquee:focus>*{"
                            "animation-play-state:paused}\n"),
              std::string::npos);
    EXPECT_NE(headPart.find("\n@media (prefers-reduced-motion:reduce){.tinsora-marquee-right-"
                            "alternate,.tinsora-blink{animation:none}}\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(body + kBodyPartMark.size() + 1),
              "<span class=\"tinsora-marquee\" tabindex=\"0\"><span "
              "class=\"tinsora-marquee-right-alternate\"><span role=\"img\" aria-label=\"A\">"
              "<span style=\"color:#FF0000;font-size:medium\"><span class=\"tinsora-blink\">A"
              "</span></span></span></span></span>");

    for (const auto behavior :
         {MarqueeBehavior::Scroll, MarqueeBehavior::Slide, MarqueeBehavior::Alternate}) {
        o.marqueeBehavior = behavior;
        o.marqueeDirection = MarqueeDirection::Left;
        const std::string left = Text(o);
        o.marqueeDirection = MarqueeDirection::Right;
        EXPECT_NE(left, Text(o)) << "each direction has its own keyframes";
    }
}

TEST(Html5Text, ClassRulesLeaveNoStyleAttribute) {
    auto o = Classes(Typed("AAB"));
    o.colorCountText = "2";
    o.gradColors[1] = o.gradColors[0]; // the same colour twice: one rule
    o.gradColors[1].Blue = 6;
    o.sizeText = "7";
    o.tt = true;
    const std::string text = Text(o);
    EXPECT_EQ(text.find("style=\""), std::string::npos);
    EXPECT_EQ(text, std::string(kHeadPartMark) +
                        "\n<style>\n.tinsora-tt{font-family:monospace}\n"
                        ".tinsora-s7{font-size:xxx-large}\n.tc-FF0000{color:#FF0000}\n"
                        ".tc-FF0003{color:#FF0003}\n.tc-FF0006{color:#FF0006}\n</style>\n" +
                        std::string(kBodyPartMark) +
                        "\n<span role=\"img\" aria-label=\"AAB\"\n"
                        "><span class=\"tinsora-s7 tc-FF0000\"><span class=\"tinsora-tt\">A"
                        "</span></span\n><span class=\"tinsora-s7 tc-FF0003\"><span "
                        "class=\"tinsora-tt\">A</span></span\n><span class=\"tinsora-s7 "
                        "tc-FF0006\"><span class=\"tinsora-tt\">B</span></span\n></span>\n");
    // A rule per distinct colour, each once, in the order the colours come.
    auto file = Classes(Html5(GradientTextOptions{}));
    file.source = GradientTextSource::File;
    file.fileBytes = "AAAA\nAAAA";
    file.gradColors = {ColorRGB{1, 2, 3}, ColorRGB{1, 2, 3}, ColorRGB{1, 2, 3}, ColorRGB{9, 9, 9}};
    const std::string fileText = Text(file);
    const std::string head = fileText.substr(0, fileText.find("</style>"));
    EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 7) << head;
    EXPECT_TRUE(head.ends_with(".tc-010203{color:#010203}\n.tc-030405{color:#030405}\n"
                               ".tc-060607{color:#060607}\n.tc-090909{color:#090909}\n"))
        << head;
}

TEST(Html5Text, TheCssGradientIsOneElementOverAPlainColour) {
    auto o = Typed("A\\n<B");
    o.cssGradient = true;
    o.colorCountText = "3";
    o.sizeText.clear();
    o.bold = true;
    const std::string text = Text(o);
    const std::string rule = "tinsora-g-";
    const std::size_t at = text.find("<span class=\"" + rule);
    ASSERT_NE(at, std::string::npos) << text;
    const std::string name = text.substr(at + 13, rule.size() + 8);
    EXPECT_EQ(text, std::string(kHeadPartMark) + "\n<style>\n." + name +
                        "{color:#FF0000}\n@supports (background-clip:text) or "
                        "(-webkit-background-clip:text){." +
                        name +
                        "{background:linear-gradient(to right,#FF0000,#FFFFFF,#00FF00);"
                        "-webkit-background-clip:text;background-clip:text;color:transparent}}\n"
                        "</style>\n" +
                        std::string(kBodyPartMark) + "\n<span class=\"" + name +
                        "\"\n><b\n>A<br\n>&lt;B</b\n></span>\n");
    // Other colours, another name: two such texts can stand in one page.
    o.gradColors[2] = ColorRGB{0, 0, 0};
    EXPECT_EQ(Text(o).find(name), std::string::npos);
    // Not for a text file: its four corners are no gradient one element shows everywhere.
    auto file = Html5(GradientTextOptions{});
    file.source = GradientTextSource::File;
    file.cssGradient = true;
    StringSink sink;
    EXPECT_THROW(WriteGradientText(file, sink), Error);
    EXPECT_TRUE(sink.Text().empty());
}

TEST(Html5Text, KeepsEveryCharacterAndWritesNoneThatHtmlForbids) {
    // Controls and bytes that are no UTF-8 become U+FFFD, visibly; nothing is dropped.
    const std::string text = Text(Typed(std::string("a\x01\xFF\t", 4)));
    EXPECT_NE(text.find(">a</span\n"), std::string::npos);
    EXPECT_EQ(text.find('\x01'), std::string::npos);
    EXPECT_EQ(text.find('\xFF'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\xBD'), 4); // twice in the name too
    EXPECT_NE(text.find("aria-label=\"a\xEF\xBF\xBD\xEF\xBF\xBD&#x9;\""), std::string::npos);

    auto cp932 = Typed("あ😀<");
    cp932.encoding = TextEncoding::Cp932;
    const std::string bytes = Text(cp932);
    EXPECT_NE(bytes.find(">\x82\xA0</span\n"), std::string::npos);
    EXPECT_NE(bytes.find(">&#x1F600;</span\n"), std::string::npos) << "lossless where no form";
    EXPECT_NE(bytes.find(">&lt;</span\n"), std::string::npos);

    GradientTextOptions file = Html5(GradientTextOptions{});
    file.source = GradientTextSource::File;
    const std::string fileBytes = "<\x01\r\n\x82\xA0\x82";
    file.fileBytes = fileBytes;
    EXPECT_EQ(Text(file), "<span role=\"img\" aria-label=\"&lt;\xEF\xBF\xBD&#xA;あ\xEF\xBF\xBD\"\n"
                          "><span style=\"color:#FF0000;font-size:medium\">&lt;</span\n"
                          "><span style=\"color:#FF7F7F;font-size:medium\">\xEF\xBF\xBD</span\n"
                          "><br\n><span style=\"color:#00FF00;font-size:medium\">あ</span\n"
                          "><span style=\"color:#0000FF;font-size:medium\">\xEF\xBF\xBD</span\n"
                          "><br\n></span>\n");
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
    // The same as class rules: one for the table, one for all its cells, one per colour.
    o.css = CssForm::Classes;
    o.rows = "2";
    o.colors = {ColorRGB{1, 1, 1}, ColorRGB{1, 1, 1}, ColorRGB{1, 1, 1}, ColorRGB{1, 1, 2}};
    const std::string classes = Table(o);
    const std::size_t name = classes.find(".tinsora-t-");
    ASSERT_NE(name, std::string::npos);
    const std::string t = classes.substr(name + 1, 18);
    EXPECT_EQ(classes,
              std::string(kHeadPartMark) + "\n<style>\n." + t + "{border-spacing:1.5px}\n." + t +
                  " td{padding:3px;width:50%;height:2EM}\n"
                  ".tb-010101{background:#010101}\n.tb-010102{background:#010102}\n"
                  "</style>\n" +
                  std::string(kBodyPartMark) + "\n<table class=\"" + t +
                  "\" role=\"presentation\">\n  <tbody>\n    <tr>\n"
                  "      <td class=\"tb-010101\"></td>\n      <td class=\"tb-010101\"></td>\n"
                  "    </tr>\n    <tr>\n"
                  "      <td class=\"tb-010101\"></td>\n      <td class=\"tb-010102\"></td>\n"
                  "    </tr>\n  </tbody>\n</table>\n");
    EXPECT_EQ(GradientTableSize(o), (Uint128{0, classes.size()}));
    o.css = CssForm::Inline;
    o.rows = "1";
    o.colors = kInitialGradientColors;

    // An empty box gives no property, as an empty attribute gives none.
    o.padding = o.spacing = o.width = o.height = "";
    o.lineMode = false;
    EXPECT_EQ(Table(o), "<table role=\"presentation\"><tbody><tr>"
                        "<td style=\"background-color:#FF0000\"></td>"
                        "<td style=\"background-color:#FF7F7F\"></td></tr></tbody></table>");
    // A row without cells is not one: no rows at all.
    o.cols = "0";
    o.rows = "3";
    EXPECT_EQ(Table(o), "<table role=\"presentation\"><tbody></tbody></table>");
    EXPECT_EQ(GradientTableSize(o), (Uint128{0, Table(o).size()}));
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

TEST(Html5Table, TheCssGradientIsOneSmallDivWithTheTablesSizeAndColours) {
    GradientTableOptions o = Html5(GradientTableOptions{});
    o.cssGradient = true;
    o.cols = "8";
    o.rows = "8";
    o.width = "3";
    o.height = "2";
    o.padding = "1";
    o.spacing = "0";
    o.colors[1] = ColorRGB{0, 0, 0};
    o.colors[3] = ColorRGB{0, 0, 250};
    const std::string div = Table(o);
    EXPECT_LT(div.size(), 1024u);
    o.cols = o.rows = "100000";
    EXPECT_LT(Table(o).size(), 1024u) << "whatever the size";
    o.cols = o.rows = "8";
    // Cells of 5 x 4 with their padding; the stops at the centres of the corner cells, in
    // the colours of those cells, which stop short of colour 4 here.
    GradientTableOptions table = o;
    table.cssGradient = false;
    const std::string cells = Table(table);
    const std::string last = cells.substr(cells.rfind('#') + 1, 6);
    EXPECT_NE(last, "0000FA");
    EXPECT_EQ(div,
              "<div style=\"width:40px;height:32px;background:linear-gradient(to right,"
              "#00FF00 2.5px,#" +
                  last +
                  " 37.5px)\">\n"
                  "  <div style=\"height:100%;background:linear-gradient(to right,#FF0000 2.5px,"
                  "#000000 37.5px);mask-image:linear-gradient(#000 2px,transparent 30px)\"></div>\n"
                  "</div>\n");
    o.colors = kInitialGradientColors;
    // One row stops short of colour 2, and uses colours 1 and 2 only; one column likewise.
    o.rows = "1";
    o.cols = "3";
    o.padding = "";
    EXPECT_EQ(Table(o), "<div style=\"width:15px;height:4px;background:linear-gradient(to right,"
                        "#FF0000 2.5px,#FFFFFF 17.5px)\"></div>\n");
    o.rows = "2";
    o.cols = "1";
    o.spacing = "2em";
    EXPECT_EQ(Table(o), "<div style=\"width:calc(3px + 2 * 1px + 2 * 2em);height:calc(2 * 2px + "
                        "4 * 1px + 3 * 2em);background:linear-gradient(#FF0000 calc(0.5 * 2px + "
                        "1px + 2em),#00FF00 calc(2.5 * 2px + 5 * 1px + 3 * 2em))\"></div>\n");
    o.rows = "1";
    EXPECT_NE(Table(o).find("background-color:#FF0000"), std::string::npos);
    o.css = CssForm::Classes;
    EXPECT_EQ(Table(o).find("style=\""), std::string::npos);
    o.rows = "0";
    EXPECT_NE(Table(o).find("{width:0;height:0}"), std::string::npos);
    o.width = "50%";
    EXPECT_EQ(ErrorOf(o), "'50%' は CSS gradient に使えません (% は表の幅に対する割合です)");
    o.width = "1";
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

    // A page written by a generator is the page made from its fragment, in both line modes
    // and in both languages of the marks and the page's lang.
    for (const OutputLanguage language : {OutputLanguage::Japanese, OutputLanguage::English})
        for (const bool lineMode : {true, false}) {
            auto text = Typed("AB");
            text.blink = true;
            text.lineMode = lineMode;
            text.language = language;
            auto page = text;
            page.page = true;
            EXPECT_EQ(Text(page), MakeHtmlPage(Text(text), "\n", language)) << lineMode;
            EXPECT_NE(Text(text).find(HeadPartMark(language)), std::string::npos);

            GradientTableOptions table = Html5(GradientTableOptions{});
            table.lineMode = lineMode;
            table.language = language;
            GradientTableOptions tablePage = table;
            tablePage.page = true;
            EXPECT_EQ(Table(tablePage), MakeHtmlPage(Table(table), "\n", language)) << lineMode;
            // The size counted beforehand counts the marks of the language, also where only
            // the colours' class rules make a style sheet.
            table.css = CssForm::Classes;
            table.padding = table.spacing = table.width = table.height = "";
            EXPECT_EQ(GradientTableSize(table), (Uint128{0, Table(table).size()})) << lineMode;
        }
    auto english = Typed("AB");
    english.language = OutputLanguage::English;
    english.page = true;
    EXPECT_NE(Text(english).find("<html lang=\"en\">"), std::string::npos);
    // The preview of an English output in a Japanese window still finds its marks.
    english.page = false;
    english.blink = true;
    EXPECT_EQ(MakeHtmlPage(Text(english)).find("<!--"), std::string::npos);
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
