#include "html/BodyTag.h"

#include "html/HtmlOutput.h"
#include "html/Markup.h"

namespace tinsora {

std::string MakeBodyTag(const BodyColors& colors) {
    static constexpr std::array<std::string_view, kBodyRoleCount> attributes{
        "BgColor=\"#", "Text=\"#", "Link=\"#", "Vlink=\"#", "Alink=\"#"};
    std::string tag;
    tag.reserve(6 + kBodyRoleCount * 18);
    tag += "<BODY ";
    for (std::size_t k = 0; k < colors.size(); ++k) {
        tag += attributes[k];
        tag += HexColor(colors[k]);
        tag += k + 1 < colors.size() ? "\" " : "\">";
    }
    return tag;
}

void WriteBodyTag(const BodyTagOptions& options, OutputSink& sink) {
    BodyTagOptions o = options;
    o.lineMode = true; // the tag is written the same way whatever the line mode
    OutputBuffer out(sink);
    OutputFrame frame(out, o);
    if (o.style == OutputStyle::Classic) {
        const std::string tag = MakeBodyTag(o.colors);
        if (o.page) {
            frame.Begin({}, tag);
            frame.End();
        } else {
            out.Append(tag);
        }
    } else {
        const std::vector<std::string> head = Html5BodyHead(o.colors);
        if (o.page) {
            frame.Begin(head, "<body>");
        } else {
            frame.Begin(head);
            frame.Entry("<body>");
        }
        frame.End();
    }
    out.Flush();
}

} // namespace tinsora
