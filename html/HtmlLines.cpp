#include "html/HtmlLines.h"

namespace tinsora {

std::string JoinHtmlLines(const HtmlLines& lines, bool lineMode, std::string_view lineEnd) {
    if (!lineMode)
        return std::string(lines.Joined());
    std::string out;
    out.reserve(lines.Joined().size() + lines.Count() * lineEnd.size());
    for (std::size_t k = 0; k < lines.Count(); ++k) {
        out.append(lines.Line(k));
        out.append(lineEnd);
    }
    return out;
}

} // namespace tinsora
