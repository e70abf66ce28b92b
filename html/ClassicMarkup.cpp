// The classic style: the markup of old, exactly as it always was.

#include "html/HtmlOutput.h"
#include "html/Markup.h"
#include "text/Cp932.h"

namespace tinsora {

TextMarkup ClassicTextMarkup(const GradientTextOptions& o) {
    static constexpr TagNames names{
        {"<B>", "</B>"},   {"<I>", "</I>"},         {"<U>", "</U>"},     {"<S>", "</S>"},
        {"<TT>", "</TT>"}, {"<BLINK>", "</BLINK>"}, {"<SUP>", "</SUP>"}, {"<SUB>", "</SUB>"}};
    TextMarkup m;
    if (o.marquee) {
        std::string line = "<MARQUEE Direction=\"";
        line += o.marqueeDirection == MarqueeDirection::Right ? "right\" " : "left\" ";
        line += "Behavior=\"";
        line += o.marqueeBehavior == MarqueeBehavior::Slide       ? "slide\">"
                : o.marqueeBehavior == MarqueeBehavior::Alternate ? "alternate\">"
                                                                  : "scroll\">";
        m.before.push_back(line);
        m.after.push_back("</MARQUEE>");
    }
    m.charHead = "<FONT Color=\"#";
    m.hexAt = m.charHead.size();
    m.charHead += "000000\"";
    if (!o.sizeText.empty()) {
        const std::string size =
            o.encoding == TextEncoding::Cp932 ? Utf8ToCp932(o.sizeText) : o.sizeText;
        m.charHead += " Size=\"" + size + "\"";
    }
    m.charHead += ">";
    m.charTail = "</FONT>";
    m.lineBreak = "<BR>";
    AddScopedTags(m, o, DecorationTagsFor(o, names));
    return m;
}

TableMarkup ClassicTableMarkup(const GradientTableOptions& o) {
    TableMarkup m;
    m.open =
        TableEntry(o, 0,
                   "<TABLE cellpadding=\"" + o.padding + "\" cellspacing=\"" + o.spacing + "\">") +
        TableEntry(o, 2, "<TBODY>");
    m.rowOpen = TableEntry(o, 4, "<TR>");
    m.cell = TableEntry(o, 6, "<TD bgcolor=\"#");
    m.cell.resize(m.cell.size() - (o.lineMode ? o.lineEnd.size() : 0));
    m.hexAt = m.cell.size();
    m.cell += "000000\" width=\"" + o.width + "\" height=\"" + o.height + "\"></TD>";
    if (o.lineMode)
        m.cell += o.lineEnd;
    m.rowClose = TableEntry(o, 4, "</TR>");
    m.close = TableEntry(o, 2, "</TBODY>") + TableEntry(o, 0, "</TABLE>");
    return m;
}

} // namespace tinsora
