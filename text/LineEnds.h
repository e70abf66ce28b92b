#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tinsora {

// Texts are held with LF line ends; a copy, a saved file and the pane's limit see
// every LF as CR LF.

/// Bytes text takes with every LF as CR LF.
inline std::size_t CrLfSize(std::string_view text) {
    return text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

/// Hands out text with every LF as CR LF, in pieces: runs of it without LF and "\r\n".
template <class Out> void ForEachCrLfPiece(std::string_view text, Out&& out) {
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t lf = std::min(text.find('\n', from), text.size());
        if (lf > from)
            out(text.substr(from, lf - from));
        if (lf < text.size())
            out(std::string_view("\r\n"));
        from = lf + 1;
    }
}

/// Appends text with every LF as CR LF.
void AppendCrLf(std::string& out, std::string_view text);

/// Makes CR LF and lone CR into LF, in place.
void MakeLfEnds(std::string& text);

} // namespace tinsora
