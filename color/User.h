#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tinsora {

/// A colour as three channels; each lies in 0..255 for a valid colour.
struct ColorRGB {
    std::int32_t Red = 0;
    std::int32_t Green = 0;
    std::int32_t Blue = 0;

    friend bool operator==(const ColorRGB&, const ColorRGB&) = default;
};

/// A colour packed as 0x00BBGGRR, the form in which swatches hold their colour.
using PackedColor = std::uint32_t;

/// The face colour an unset swatch holds (a system colour reference, not RGB).
inline constexpr PackedColor kFaceColor = 0x8000000Fu;

/// Packs the low eight bits of each channel into 0x00BBGGRR.
PackedColor PackColor(const ColorRGB& c);
PackedColor PackColor(std::int32_t red, std::int32_t green, std::int32_t blue);

/// Reads the three low bytes of a packed colour; the top byte is ignored.
ColorRGB UnpackColor(PackedColor value);

/// Clamps any integer into 0..255.
std::int32_t ClampChannel(std::int64_t n);

/// Two upper-case hexadecimal digits of a channel in 0..255.
std::string ChannelToHex(std::int32_t channel);

namespace detail {
/// The two hexadecimal digits of every channel value, side by side.
inline constexpr std::array<char, 512> kHexPairs = [] {
    constexpr const char* digits = "0123456789ABCDEF";
    std::array<char, 512> pairs{};
    for (std::size_t v = 0; v < 256; ++v) {
        pairs[2 * v] = digits[v >> 4];
        pairs[2 * v + 1] = digits[v & 0xFu];
    }
    return pairs;
}();
} // namespace detail

/// Writes the two upper-case hexadecimal digits of a channel in 0..255 at out; returns the end.
/// Inline: the table generators write it for every cell.
inline char* WriteChannelHex(char* out, std::int32_t channel) {
    std::memcpy(out, &detail::kHexPairs[std::size_t{2} * (static_cast<unsigned>(channel) & 0xFFu)],
                2);
    return out + 2;
}

/// Appends the two hexadecimal digits of a channel in 0..255 to out (no allocation beyond growth).
void AppendChannelHex(std::string& out, std::int32_t channel);

/// Decimal digits of an integer, "-" before a negative value.
std::string ChannelToDecimal(std::int64_t value);

/// Reads the first two characters as a hexadecimal pair; anything else counts as 0.
std::int32_t HexPairToChannel(std::string_view text);

/// The one conversion of a numeric text to an integer; throws NotAnIntegerError.
std::int32_t TextToInt(std::string_view text);

/// The decimal box rule: an empty text gives no value, any other ClampChannel(TextToInt(text)).
std::optional<std::int32_t> DecimalChannelText(std::string_view text);

/// 255 - channel.
std::int32_t InvertChannel(std::int32_t channel);

/// ClampChannel(channel + step).
std::int32_t StepChannel(std::int32_t channel, std::int32_t step);

} // namespace tinsora
