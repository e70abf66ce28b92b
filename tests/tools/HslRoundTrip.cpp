// Counts, over all 16,777,216 colours, how many come back unchanged when their
// hsl() notation is read again, and checks that every colour that some
// whole-number hsl() triple gives is among them. Exit status 1 when one is not.

#include "color/CssColor.h"

#include <chrono>
#include <cstdio>
#include <vector>

int main() {
    using namespace tinsora;
    const auto start = std::chrono::steady_clock::now();
    constexpr std::size_t kColors = std::size_t{1} << 24;
    const auto index = [](const ColorRGB& c) {
        return static_cast<std::size_t>(c.Red) << 16 | static_cast<std::size_t>(c.Green) << 8 |
               static_cast<std::size_t>(c.Blue);
    };

    std::vector<bool> reachable(kColors);
    for (int h = 0; h < 360; ++h)
        for (int s = 0; s <= 100; ++s)
            for (int l = 0; l <= 100; ++l)
                reachable[index(HslToRgb(h, s, l))] = true;

    std::size_t reached = 0;
    std::size_t roundTrips = 0;
    std::size_t missed = 0;
    for (std::size_t k = 0; k < kColors; ++k) {
        const ColorRGB c{static_cast<int>(k >> 16), static_cast<int>((k >> 8) & 0xff),
                         static_cast<int>(k & 0xff)};
        const std::string text = CssHslText(c);
        const auto back = ParseCssColor(text).color;
        const bool same = back && *back == c;
        reached += reachable[k] ? 1 : 0;
        roundTrips += same ? 1 : 0;
        if (same != reachable[k]) {
            if (++missed <= 10)
                std::fprintf(stderr, "hsl-roundtrip: #%06zX gives %s, which %s\n", k, text.c_str(),
                             same ? "round-trips though no triple was found"
                                  : "does not round-trip though a triple does");
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("hsl(): %zu of %zu colours round-trip (%.2f%%); %zu are given by some whole-number "
                "triple; %zu missed; %.1f s\n",
                roundTrips, kColors, 100.0 * static_cast<double>(roundTrips) / kColors, reached,
                missed, seconds);
    return missed == 0 ? 0 : 1;
}
