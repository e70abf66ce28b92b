#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tinsora {

/// The arrows beside a number box: a position 0..100 of their own, not tied
/// to the box's text, and a step of the box's number on each click.
struct UpDownStep {
    static constexpr int kMin = 0;
    static constexpr int kMax = 100;

    int position = kMin;

    /// Up arrow: below kMax, raises the position and returns TextToInt(text) + 1 in
    /// decimal; at kMax returns nothing. A bad text throws after the position moved.
    std::optional<std::string> Up(std::string_view text);

    /// Down arrow: above kMin, lowers the position and returns TextToInt(text) - 1 in
    /// decimal; at kMin returns nothing. A bad text throws after the position moved.
    std::optional<std::string> Down(std::string_view text);
};

} // namespace tinsora
