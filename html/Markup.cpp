// The markup helpers both output styles share.

#include "html/Markup.h"

namespace tinsora {

DecorationTags DecorationTagsFor(const GradientTextOptions& o, const TagNames& n) {
    DecorationTags t;
    const auto wrap = [&](bool on, const std::string_view(&tag)[2]) {
        if (on) {
            t.open += tag[0];
            t.close.insert(0, tag[1]);
        }
    };
    wrap(o.bold, n.bold);
    wrap(o.italic, n.italic);
    wrap(o.underline, n.underline);
    wrap(o.strikeOut, n.strike);
    wrap(o.tt, n.tt);
    wrap(o.blink, n.blink);
    if (o.tateIchi) {
        if (o.sup)
            wrap(true, n.sup);
        else if (o.sub)
            wrap(true, n.sub);
    }
    return t;
}

void AddScopedTags(TextMarkup& m, const GradientTextOptions& o, const DecorationTags& tags) {
    if (o.scope == TagScope::Char) {
        m.charHead += tags.open;
        m.charTail = tags.close + m.charTail;
    } else {
        m.before.push_back(tags.open);
        m.after.insert(m.after.begin(), tags.close);
    }
}

std::string TableEntry(const OutputOptions& o, std::size_t indent, std::string_view text) {
    std::string entry(o.lineMode ? indent : 0, ' ');
    entry += text;
    if (o.lineMode)
        entry += o.lineEnd;
    return entry;
}

std::string HexColor(const ColorRGB& c) {
    std::string s(6, '0');
    WriteHexColor(s.data(), c);
    return s;
}

} // namespace tinsora
