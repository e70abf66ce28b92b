#include "text/LineEnds.h"

namespace tinsora {

void AppendCrLf(std::string& out, std::string_view text) {
    ForEachCrLfPiece(text, [&](std::string_view piece) { out.append(piece); });
}

void MakeLfEnds(std::string& text) {
    std::size_t kept = text.find('\r');
    if (kept == std::string::npos)
        return;
    for (std::size_t k = kept; k < text.size(); ++k) {
        if (text[k] == '\r') {
            text[kept++] = '\n';
            if (k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
        } else {
            text[kept++] = text[k];
        }
    }
    text.resize(kept);
}

} // namespace tinsora
