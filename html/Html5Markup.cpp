// The HTML5 + CSS style: markup that the W3C checker accepts, the presentation in CSS, either in
// style attributes or, for pages with a strict Content-Security-Policy, in class rules alone.

#include "html/Css.h"
#include "html/Markup.h"

#include <cstdio>
#include <optional>
#include <utility>

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

// A short name for a rule's declarations: two outputs whose rules differ never share a class
// name, so that several of them can stand in one page.
std::string RuleName(std::string_view prefix, std::string_view declarations) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : declarations) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
    return std::string(prefix) + digits;
}

// "class" or "style" with its value, for the CSS form: the declarations inline, or the class
// whose rule (added to rules) holds them.
std::string Presentation(CssForm form, std::string_view prefix, const std::string& declarations,
                         std::vector<std::string>& rules) {
    if (form == CssForm::Inline)
        return "style=\"" + declarations + "\"";
    const std::string name = RuleName(prefix, declarations);
    rules.push_back("." + name + "{" + declarations + "}");
    return "class=\"" + name + "\"";
}

ColorRule MakeColorRule(std::string_view prefix, std::string_view property) {
    ColorRule r;
    r.text = "." + std::string(prefix);
    r.hexAt[0] = r.text.size();
    r.text += "000000{" + std::string(property) + ":#";
    r.hexAt[1] = r.text.size();
    r.text += "000000}";
    return r;
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
// text just off either edge or flush with it. It stands still while the pointer is over it
// or while it has the keyboard focus (it takes one, in the order of the page): a way to stop
// moving text that lasts longer than five seconds.
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
            ".tinsora-marquee:hover>*,.tinsora-marquee:focus>*{animation-play-state:paused}",
            "@keyframes " + name + "{from{" + std::string(from) + "}to{" + std::string(to) + "}}"};
}

// Motion: the marquee and blink rules, the marquee's entries, and the still rule for those
// who ask for less motion.
void AddMotion(const GradientTextOptions& o, TextMarkup& m) {
    std::string still;
    if (o.marquee) {
        const std::vector<std::string> rules = MarqueeRules(o);
        m.rules.insert(m.rules.end(), rules.begin(), rules.end());
        still = "." + MarqueeName(o);
        m.before.push_back("<span class=\"tinsora-marquee\" tabindex=\"0\"><span class=\"" +
                           MarqueeName(o) + "\">");
        m.after.push_back("</span></span>");
    }
    if (o.blink) {
        // Five blinks, then the text stays: blinking that stops within five seconds.
        m.rules.push_back(".tinsora-blink{animation:tinsora-blink 1s step-end 5}");
        m.rules.push_back("@keyframes tinsora-blink{50%{visibility:hidden}}");
        still += still.empty() ? ".tinsora-blink" : ",.tinsora-blink";
    }
    if (!still.empty())
        m.rules.push_back("@media (prefers-reduced-motion:reduce){" + still + "{animation:none}}");
}

// A length as pixels, when it is a number of them.
std::optional<double> Pixels(const std::string& length) {
    if (!length.ends_with("px"))
        return std::nullopt;
    const std::string number = length.substr(0, length.size() - 2);
    if (number.empty() || number.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    return std::stod(number);
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

// A sum of multiples of lengths as CSS: a number of pixels where they all are pixels, calc()
// otherwise.
std::string Sum(const std::vector<std::pair<double, std::string>>& terms) {
    double pixels = 0;
    bool allPixels = true;
    for (const auto& [factor, length] : terms) {
        const auto p = Pixels(length);
        if (p)
            pixels += factor * *p;
        else if (factor != 0)
            allPixels = false;
    }
    if (allPixels)
        return pixels == 0 ? "0" : Number(pixels) + "px";
    std::string calc;
    for (const auto& [factor, length] : terms) {
        if (factor == 0)
            continue;
        calc += calc.empty() ? "calc(" : " + ";
        calc += factor == 1 ? length : Number(factor) + " * " + length;
    }
    return calc + ")";
}

} // namespace

std::string CharReference(std::int32_t cp) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::int32_t v = cp; v > 0 || hex.empty(); v >>= 4)
        hex.insert(hex.begin(), digits[v & 0xF]);
    return "&#x" + hex + ";";
}

std::string DecimalCharReference(std::int32_t cp) {
    return "&#" + std::to_string(cp) + ";";
}

bool IsHtmlBlank(std::int32_t cp) {
    return cp == ' ' || cp == '\t' || cp == '\n' || cp == '\f' || cp == '\r';
}

std::string Html5CharForm(std::int32_t cp, TextEncoding encoding, bool attribute) {
    switch (cp) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '"':
        return attribute ? "&quot;" : std::string();
    default:
        break;
    }
    if (cp < 0 || IsForbiddenInHtml(cp))
        return encoding == TextEncoding::Utf8 ? std::string(kReplacementUtf8)
                                              : CharReference(kReplacement);
    if (attribute && cp < 0x20) // blanks other than the space, kept visible in the source
        return CharReference(cp);
    return {};
}

TextMarkup Html5TextMarkup(const GradientTextOptions& o, int segments) {
    const bool classes = o.css == CssForm::Classes;
    TextMarkup m;
    std::string tt = "<span style=\"font-family:monospace\">";
    if (classes) {
        tt = "<span class=\"tinsora-tt\">";
        if (o.tt)
            m.rules.push_back(".tinsora-tt{font-family:monospace}");
    }
    const TagNames names{{"<b>", "</b>"},     {"<i>", "</i>"},
                         {"<u>", "</u>"},     {"<s>", "</s>"},
                         {tt, "</span>"},     {"<span class=\"tinsora-blink\">", "</span>"},
                         {"<sup>", "</sup>"}, {"<sub>", "</sub>"}};
    AddMotion(o, m);
    std::optional<int> size;
    if (!o.sizeText.empty())
        size = LegacyFontSize(o.sizeText);
    const std::string fontSize =
        size ? "font-size:" + std::string(FontSizeKeyword(*size)) : std::string();
    m.lineBreak = "<br>";

    if (o.cssGradient) {
        // One element: a gradient through the colours, clipped to the letters, over a plain
        // colour for browsers that cannot clip a background to text.
        const GradientColors& c = o.gradColors;
        std::string stops;
        for (int k = 0; k <= segments; ++k)
            stops += ",#" + HexColor(c[static_cast<std::size_t>(k)]);
        std::string base = "color:#" + HexColor(c[0]);
        if (!fontSize.empty())
            base += ";" + fontSize;
        const std::string name = RuleName("tinsora-g-", base + stops);
        m.rules.push_back("." + name + "{" + base + "}");
        m.rules.push_back("@supports (background-clip:text) or (-webkit-background-clip:text){." +
                          name + "{background:linear-gradient(to right" + stops +
                          ");-webkit-background-clip:text;background-clip:text;"
                          "color:transparent}}");
        m.plain = true;
        m.before.push_back("<span class=\"" + name + "\">");
        m.after.insert(m.after.begin(), "</span>");
        DecorationTags tags = DecorationTagsFor(o, names);
        if (!tags.open.empty()) {
            m.before.push_back(tags.open);
            m.after.insert(m.after.begin(), tags.close);
        }
        return m;
    }

    if (classes) {
        m.charHead = "<span class=\"";
        if (size) {
            const std::string sizeClass = "tinsora-s" + std::to_string(*size);
            m.rules.push_back("." + sizeClass + "{" + fontSize + "}");
            m.charHead += sizeClass + " ";
        }
        m.charHead += "tc-";
        m.hexAt = m.charHead.size();
        m.charHead += "000000\">";
        m.colorRule = MakeColorRule("tc-", "color");
    } else {
        m.charHead = "<span style=\"color:#";
        m.hexAt = m.charHead.size();
        m.charHead += "000000";
        if (size)
            m.charHead += ";" + fontSize;
        m.charHead += "\">";
    }
    m.charTail = "</span>";
    // The characters in one element named with the whole text: read once as a whole, while a
    // copy or a search in the page meets the characters themselves, once.
    m.labelled = true;
    m.labelAt = m.before.size();
    m.after.insert(m.after.begin(), "</span>");
    AddScopedTags(m, o, DecorationTagsFor(o, names));
    return m;
}

TableMarkup Html5TableMarkup(const GradientTableOptions& o) {
    // Lengths are read before anything is built, in the order of the boxes on the page.
    const auto padding = CssLength(o.padding);
    const auto spacing = CssLength(o.spacing);
    const auto width = CssLength(o.width);
    const auto height = CssLength(o.height);
    std::string cellStyle;
    if (padding)
        cellStyle += "padding:" + *padding + ";";
    if (width)
        cellStyle += "width:" + *width + ";";
    if (height)
        cellStyle += "height:" + *height + ";";
    TableMarkup m;
    // The cells hold no data: the table is a picture, not a grid to be read out.
    std::string table = "<table role=\"presentation\"";
    if (o.css == CssForm::Classes) {
        // One rule for the table and one for all its cells, named after what they hold.
        std::string shared;
        if (spacing)
            shared += "border-spacing:" + *spacing;
        if (!cellStyle.empty())
            shared += "|" + cellStyle;
        if (!shared.empty()) {
            const std::string name = RuleName("tinsora-t-", shared);
            table = "<table class=\"" + name + "\" role=\"presentation\"";
            if (spacing)
                m.rules.push_back("." + name + "{border-spacing:" + *spacing + "}");
            if (!cellStyle.empty()) {
                cellStyle.pop_back();
                m.rules.push_back("." + name + " td{" + cellStyle + "}");
            }
        }
        m.cell = std::string(o.lineMode ? 6 : 0, ' ') + "<td class=\"tb-";
        m.hexAt = m.cell.size();
        m.cell += "000000\"></td>";
        m.colorRule = MakeColorRule("tb-", "background");
    } else {
        if (spacing)
            table += " style=\"border-spacing:" + *spacing + "\"";
        m.cell = std::string(o.lineMode ? 6 : 0, ' ') + "<td style=\"" + cellStyle +
                 "background-color:#";
        m.hexAt = m.cell.size();
        m.cell += "000000\"></td>";
    }
    m.open = TableEntry(o, 0, table + ">") + TableEntry(o, 2, "<tbody>");
    m.rowOpen = TableEntry(o, 4, "<tr>");
    if (o.lineMode)
        m.cell += o.lineEnd;
    m.rowClose = TableEntry(o, 4, "</tr>");
    m.close = TableEntry(o, 2, "</tbody>") + TableEntry(o, 0, "</table>");
    return m;
}

CssGradientMarkup Html5CssGradient(const GradientTableOptions& o, const GradientStops& s) {
    // The lengths of the boxes in their order; a box left empty has the browser's own value,
    // as in the table.
    const auto padding = CssLength(o.padding);
    const auto spacing = CssLength(o.spacing);
    const auto width = CssLength(o.width);
    const auto height = CssLength(o.height);
    if (!width || !height)
        throw CssGradientSizeError();
    // A percentage in a cell is of the table's width, which the cells make: the div has no
    // such thing to take it of.
    for (const auto& length : {padding, spacing, width, height})
        if (length && length->ends_with("%"))
            throw CssGradientPercentError(*length);
    const std::string p = padding.value_or("1px");
    const std::string g = spacing.value_or("2px");
    const std::string& w = *width;
    const std::string& h = *height;
    // Along one direction: n cells of size, each with padding on both sides, and spacing
    // between them and at both ends. Position k is the centre of cell k.
    const auto total = [&](std::int32_t n, const std::string& size) {
        return Sum({{static_cast<double>(n), size}, {2.0 * n, p}, {n + 1.0, g}});
    };
    const auto centre = [&](std::int32_t k, const std::string& size) {
        return Sum({{k + 0.5, size}, {2.0 * k + 1, p}, {k + 1.0, g}});
    };
    const auto hex = [](const ColorRGB& c) { return "#" + HexColor(c); };

    CssGradientMarkup m;
    std::vector<std::string> divs; // the declarations of the outer div and, when two, the inner
    if (s.cols <= 0 || s.rows <= 0) {
        divs.push_back("width:0;height:0");
    } else {
        const std::string box = "width:" + total(s.cols, w) + ";height:" + total(s.rows, h);
        // The stops sit at the centres of the cells that have the stop colours.
        const std::string x0 = centre(0, w);
        const std::string y0 = centre(0, h);
        if (s.cols == 1 && s.rows == 1) {
            divs.push_back(box + ";background-color:" + hex(s.topLeft));
        } else if (s.rows == 1) { // colour 2 is that of a cell after the last
            divs.push_back(box + ";background:linear-gradient(to right," + hex(s.topLeft) + " " +
                           x0 + "," + hex(s.topRight) + " " + centre(s.cols, w) + ")");
        } else if (s.cols == 1) { // colour 3 is that of a cell under the last
            divs.push_back(box + ";background:linear-gradient(" + hex(s.topLeft) + " " + y0 + "," +
                           hex(s.bottomLeft) + " " + centre(s.rows, h) + ")");
        } else {
            // The bottom row's gradient, under the top row's, which fades out downward: at
            // every point the mix of the four corners.
            const std::string x1 = centre(s.cols - 1, w);
            const std::string y1 = centre(s.rows - 1, h);
            divs.push_back(box + ";background:linear-gradient(to right," + hex(s.bottomLeft) + " " +
                           x0 + "," + hex(s.bottomRight) + " " + x1 + ")");
            divs.push_back("height:100%;background:linear-gradient(to right," + hex(s.topLeft) +
                           " " + x0 + "," + hex(s.topRight) + " " + x1 +
                           ");mask-image:linear-gradient(#000 " + y0 + ",transparent " + y1 + ")");
        }
    }
    const std::string outer = Presentation(o.css, "tinsora-g-", divs[0], m.rules);
    if (divs.size() == 1) {
        m.entries.push_back("<div " + outer + "></div>");
        return m;
    }
    m.entries.push_back("<div " + outer + ">");
    m.entries.push_back(std::string(o.lineMode ? 2 : 0, ' ') + "<div " +
                        Presentation(o.css, "tinsora-g-", divs[1], m.rules) + "></div>");
    m.entries.push_back("</div>");
    return m;
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
