#include "PaneSink.h"

#include "text/LineEnds.h"

#include <algorithm>

namespace {

// Room past the text, so that the first edits of a large text do not move all of it.
constexpr std::size_t kSlack = std::size_t(64) * 1024;

} // namespace

PaneSink::PaneSink(PaneRun::Control& control_, std::uint64_t limit_, std::uint64_t held)
    : control(control_), limit(limit_), counted(held == 0) {
    text.reserve(held != 0 && held <= limit ? static_cast<std::size_t>(held) + kSlack : kSlack);
}

void PaneSink::Write(std::string_view bytes) {
    control.checkCancelled();
    if (counted && (crLfSize += tinsora::CrLfSize(bytes)) > limit) {
        std::string().swap(text); // only counted from here on
        return;
    }
    if (text.capacity() - text.size() < bytes.size())
        grow(bytes.size());
    text.append(bytes);
}

// A text of unknown size is given room for all of it as far as the part of the run done
// foretells, with an eighth to spare: it is moved early, while it is small, and then held
// once (room reserved and not written takes no memory). Without a forecast it doubles.
void PaneSink::grow(std::size_t more) {
    const std::size_t needed = text.size() + more;
    std::size_t room = 2 * text.capacity();
    if (done > 0 && done < 1) {
        const auto forecast = static_cast<std::size_t>(static_cast<double>(needed) / done * 1.125);
        room = std::max(forecast, needed + needed / 8);
    }
    const auto most = static_cast<std::size_t>(limit);
    text.reserve(std::max(std::min(room, most), needed) + kSlack);
}

void PaneSink::Progress(std::uint64_t done_, std::uint64_t total) {
    control.progress(done_, total);
    done =
        total == 0 ? 0 : static_cast<double>(std::min(done_, total)) / static_cast<double>(total);
}
