#include "UpDownStep.h"

#include "color/User.h"

#include <cstdint>

namespace tinsora {

// The arrow control moves its own position before the box is read, so a text
// that is not a number still leaves the position moved.
std::optional<std::string> UpDownStep::Up(std::string_view text) {
    if (position >= kMax)
        return std::nullopt;
    ++position;
    return ChannelToDecimal(std::int64_t{TextToInt(text)} + 1);
}

std::optional<std::string> UpDownStep::Down(std::string_view text) {
    if (position <= kMin)
        return std::nullopt;
    --position;
    return ChannelToDecimal(std::int64_t{TextToInt(text)} - 1);
}

} // namespace tinsora
