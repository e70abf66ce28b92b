// The HTML5 + CSS style: markup that the W3C checker accepts, the presentation in CSS.

#include "html/Css.h"
#include "html/Markup.h"

namespace tinsora {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::int32_t kReplacement = 0xFFFD;

// Characters that valid HTML cannot hold, as text or as a reference: controls other than the
// blanks, and noncharacters.
bool IsForbiddenInHtml(std::int32_t cp) {
    if (cp < 0x20)
        return cp != '\t' && cp != '\n' && cp != '\f' && cp != '\r';
    if (cp >= 0x7F && cp <= 0x9F)
        return true;
    return (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE;
}

std::string MarqueeName(const GradientTextOptions& o) {
    std::string name = o.marqueeDirection == MarqueeDirection::Right ? "tinsora-marquee-right"
                                                                     : "tinsora-marquee-left";
    name += o.marqueeBehavior == MarqueeBehavior::Slide       ? "-slide"
            : o.marqueeBehavior == MarqueeBehavior::Alternate ? "-alternate"
                                                              : "-scroll";
    return name;
}

// The marquee moves an inline block across a block that clips it: left in percent of the
// block's width and a translation in percent of the text's own width together place the
// text just off either edge or flush with it.
std::vector<std::string> MarqueeRules(const GradientTextOptions& o) {
    const bool right = o.marqueeDirection == MarqueeDirection::Right;
    constexpr std::string_view offRight = "left:100%;transform:translateX(0)";
    constexpr std::string_view offLeft = "left:0;transform:translateX(-100%)";
    constexpr std::string_view flushLeft = "left:0;transform:translateX(0)";
    constexpr std::string_view flushRight = "left:100%;transform:translateX(-100%)";
    std::string_view from, to, timing;
    switch (o.marqueeBehavior) {
    case MarqueeBehavior::Scroll:
        from = right ? offLeft : offRight;
        to = right ? offRight : offLeft;
        timing = "10s linear infinite";
        break;
    case MarqueeBehavior::Slide:
        from = right ? offLeft : offRight;
        to = right ? flushRight : flushLeft;
        timing = "5s linear forwards";
        break;
    case MarqueeBehavior::Alternate:
        from = right ? flushLeft : flushRight;
        to = right ? flushRight : flushLeft;
        timing = "5s linear infinite alternate";
        break;
    }
    const std::string name = MarqueeName(o);
    return {".tinsora-marquee{display:block;overflow:hidden;white-space:nowrap}",
            "." + name + "{display:inline-block;position:relative;animation:" + name + " " +
                std::string(timing) + "}",
            "@keyframes " + name + "{from{" + std::string(from) + "}to{" + std::string(to) + "}}"};
}

// count x length as CSS: a whole product where the length is a small whole number of
// pixels, calc() otherwise.
std::string TimesLength(std::int32_t count, const std::string& length) {
    if (count <= 0)
        return "0";
    if (count == 1)
        return length;
    const std::string_view number = std::string_view(length).substr(0, length.size() - 2);
    if (length.ends_with("px") && !number.empty() && number.size() <= 9 &&
        number.find_first_not_of("0123456789") == std::string_view::npos)
        return std::to_string(static_cast<std::int64_t>(count) * std::stoll(std::string(number))) +
               "px";
    return "calc(" + std::to_string(count) + " * " + length + ")";
}

} // namespace

std::string CharReference(std::int32_t cp) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::int32_t v = cp; v > 0 || hex.empty(); v >>= 4)
        hex.insert(hex.begin(), digits[v & 0xF]);
    return "&#x" + hex + ";";
}

// The HTML5 + CSS form of a character given as its code point (-1 for bytes that are no
// character); empty when the character is written as it is.
std::string Html5CharForm(std::int32_t cp, TextEncoding encoding) {
    switch (cp) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    default:
        break;
    }
    if (cp < 0 || IsForbiddenInHtml(cp))
        return encoding == TextEncoding::Utf8 ? std::string(kReplacementUtf8)
                                              : CharReference(kReplacement);
    return {};
}

TextMarkup Html5TextMarkup(const GradientTextOptions& o) {
    static constexpr TagNames names{{"<b>", "</b>"},
                                    {"<i>", "</i>"},
                                    {"<u>", "</u>"},
                                    {"<s>", "</s>"},
                                    {"<span style=\"font-family:monospace\">", "</span>"},
                                    {"<span class=\"tinsora-blink\">", "</span>"},
                                    {"<sup>", "</sup>"},
                                    {"<sub>", "</sub>"}};
    TextMarkup m;
    std::vector<std::string> rules;
    std::string still;
    if (o.marquee) {
        rules = MarqueeRules(o);
        still = "." + MarqueeName(o);
        m.before.push_back("<span class=\"tinsora-marquee\"><span class=\"" + MarqueeName(o) +
                           "\">");
        m.after.push_back("</span></span>");
    }
    if (o.blink) {
        rules.push_back(".tinsora-blink{animation:tinsora-blink 1s step-end infinite}");
        rules.push_back("@keyframes tinsora-blink{50%{visibility:hidden}}");
        still += still.empty() ? ".tinsora-blink" : ",.tinsora-blink";
    }
    if (!rules.empty()) {
        // Those who ask for less motion get the text standing still.
        rules.push_back("@media (prefers-reduced-motion:reduce){" + still + "{animation:none}}");
        m.head.push_back("<style>");
        m.head.insert(m.head.end(), rules.begin(), rules.end());
        m.head.push_back("</style>");
    }
    // The text once more for assistive technology, out of sight; the characters' own
    // elements follow hidden from it, so that the text is read as one, not letter by letter.
    m.readableOpen = "<span style=\"position:absolute;width:1px;height:1px;overflow:hidden;"
                     "clip-path:inset(50%);white-space:nowrap\">";
    m.readableClose = "</span><span aria-hidden=\"true\">";
    m.readableBreak = "<br>";
    m.readableAt = m.before.size();
    m.after.insert(m.after.begin(), "</span>"); // the characters' element hidden from reading
    m.charHead = "<span style=\"color:#";
    m.hexAt = m.charHead.size();
    m.charHead += "000000";
    if (!o.sizeText.empty())
        if (const auto size = LegacyFontSize(o.sizeText))
            m.charHead += ";font-size:" + std::string(FontSizeKeyword(*size));
    m.charHead += "\">";
    m.charTail = "</span>";
    m.lineBreak = "<br>";
    AddScopedTags(m, o, DecorationTagsFor(o, names));
    return m;
}

TableMarkup Html5TableMarkup(const GradientTableOptions& o) {
    // Lengths are read before anything is built, in the order of the boxes on the page.
    const auto padding = CssLength(o.padding);
    const auto spacing = CssLength(o.spacing);
    const auto width = CssLength(o.width);
    const auto height = CssLength(o.height);
    TableMarkup m;
    // The cells hold no data: the table is a picture, not a grid to be read out.
    std::string table = "<table role=\"presentation\"";
    if (spacing)
        table += " style=\"border-spacing:" + *spacing + "\"";
    m.open = TableEntry(o, 0, table + ">") + TableEntry(o, 2, "<tbody>");
    m.rowOpen = TableEntry(o, 4, "<tr>");
    m.cell = std::string(o.lineMode ? 6 : 0, ' ') + "<td style=\"";
    if (padding)
        m.cell += "padding:" + *padding + ";";
    if (width)
        m.cell += "width:" + *width + ";";
    if (height)
        m.cell += "height:" + *height + ";";
    m.cell += "background-color:#";
    m.hexAt = m.cell.size();
    m.cell += "000000\"></td>";
    if (o.lineMode)
        m.cell += o.lineEnd;
    m.rowClose = TableEntry(o, 4, "</tr>");
    m.close = TableEntry(o, 2, "</tbody>") + TableEntry(o, 0, "</table>");
    return m;
}

std::vector<std::string> Html5CssGradient(const GradientTableOptions& o, std::int32_t cols,
                                          std::int32_t rows) {
    const auto width = CssLength(o.width);
    const auto height = CssLength(o.height);
    if (!width || !height)
        throw CssGradientSizeError();
    // A table of no rows, or of rows without cells, shows nothing; nor does the div then.
    const std::int32_t shownCols = rows > 0 ? cols : 0;
    const std::string w = TimesLength(shownCols, *width);
    const std::string h = TimesLength(shownCols > 0 ? rows : 0, *height);
    // A left-to-right gradient between colours 3 and 4, under one between colours 1 and 2
    // that fades out from top to bottom: at every point the bilinear mix of the four corners.
    const GradientColors& k = o.colors;
    return {"<div style=\"width:" + w + ";height:" + h + ";background:linear-gradient(to right,#" +
                HexColor(k[2]) + ",#" + HexColor(k[3]) + ")\">",
            std::string(o.lineMode ? 2 : 0, ' ') +
                "<div style=\"height:100%;background:linear-gradient(to right,#" + HexColor(k[0]) +
                ",#" + HexColor(k[1]) + ");mask-image:linear-gradient(#000,transparent)\"></div>",
            "</div>"};
}

std::vector<std::string> Html5BodyHead(const BodyColors& c) {
    return {"<style>",
            "body{background-color:#" + HexColor(c[0]) + ";color:#" + HexColor(c[1]) + "}",
            "a:link{color:#" + HexColor(c[2]) + "}",
            "a:visited{color:#" + HexColor(c[3]) + "}",
            "a:active{color:#" + HexColor(c[4]) + "}",
            "</style>"};
}

} // namespace tinsora
