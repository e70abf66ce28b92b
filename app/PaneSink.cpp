#include "PaneSink.h"

#include "text/LineEnds.h"

#include <algorithm>

namespace {

// Room past the text, so that the first edits of a large text do not move all of it.
constexpr std::size_t kSlack = std::size_t(64) * 1024;
// A text of unknown size is kept in pieces of at least this size, and up to the largest.
constexpr std::size_t kFirstPiece = std::size_t(1) << 16;
constexpr std::size_t kLargestPiece = std::size_t(1) << 24;

} // namespace

PaneSink::PaneSink(PaneRun::Control& control_, std::uint64_t limit_, std::uint64_t held)
    : control(control_), limit(limit_) {
    if (held != 0 && held <= limit)
        pieces.emplace_back().reserve(static_cast<std::size_t>(held) + kSlack);
}

void PaneSink::Write(std::string_view bytes) {
    control.checkCancelled();
    crLfSize += tinsora::CrLfSize(bytes);
    if (crLfSize > limit) {
        std::vector<std::string>().swap(pieces); // only counted from here on
        return;
    }
    if (pieces.empty() || pieces.back().capacity() - pieces.back().size() < bytes.size()) {
        const std::size_t next =
            pieces.empty() ? kFirstPiece : std::min(2 * pieces.back().capacity(), kLargestPiece);
        pieces.emplace_back().reserve(std::max(next, bytes.size()));
    }
    pieces.back().append(bytes);
}

void PaneSink::Progress(std::uint64_t done, std::uint64_t total) {
    control.progress(done, total);
}

std::string PaneSink::take() {
    if (pieces.size() == 1) {
        std::string text = std::move(pieces.front());
        pieces.clear();
        return text;
    }
    std::size_t size = 0;
    for (const std::string& piece : pieces)
        size += piece.size();
    std::string text;
    text.reserve(size + kSlack);
    for (std::string& piece : pieces) {
        text.append(piece);
        std::string().swap(piece); // given back at once: the text is held about once
    }
    pieces.clear();
    return text;
}
