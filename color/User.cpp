#include "color/User.h"

#include "text/Error.h"

#include <limits>

namespace tinsora {

PackedColor PackColor(const ColorRGB& c) {
    return PackColor(c.Red, c.Green, c.Blue);
}

PackedColor PackColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return (static_cast<PackedColor>(red) & 0xFFu) |
           ((static_cast<PackedColor>(green) & 0xFFu) << 8) |
           ((static_cast<PackedColor>(blue) & 0xFFu) << 16);
}

ColorRGB UnpackColor(PackedColor value) {
    return ColorRGB{static_cast<std::int32_t>(value & 0xFFu),
                    static_cast<std::int32_t>((value >> 8) & 0xFFu),
                    static_cast<std::int32_t>((value >> 16) & 0xFFu)};
}

std::int32_t ClampChannel(std::int64_t n) {
    if (n < 0)
        return 0;
    if (n > 255)
        return 255;
    return static_cast<std::int32_t>(n);
}

void AppendChannelHex(std::string& out, std::int32_t channel) {
    char pair[2];
    WriteChannelHex(pair, channel);
    out.append(pair, 2);
}

std::string ChannelToHex(std::int32_t channel) {
    std::string s;
    s.reserve(2);
    AppendChannelHex(s, channel);
    return s;
}

std::string ChannelToDecimal(std::int64_t value) {
    return std::to_string(value);
}

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::int32_t HexPairToChannel(std::string_view text) {
    const auto value = [](std::string_view t, std::size_t k) {
        if (k >= t.size())
            return 0;
        const int v = HexDigitValue(t[k]);
        return v < 0 ? 0 : v;
    };
    return 16 * value(text, 0) + value(text, 1);
}

std::int32_t TextToInt(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && text[k] == ' ')
        ++k;
    const auto fail = [&] { return NotAnIntegerError(text); };
    if (k == text.size())
        throw fail();

    const auto rest = text.substr(k);
    std::size_t digitsAt = 0;
    bool hex = false;
    if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X') {
        hex = true;
        digitsAt = 1;
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hex = true;
        digitsAt = 2;
    }

    if (hex) {
        if (digitsAt == rest.size())
            throw fail();
        std::uint64_t value = 0;
        for (std::size_t p = digitsAt; p < rest.size(); ++p) {
            const int d = HexDigitValue(rest[p]);
            if (d < 0)
                throw fail();
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFull)
                throw fail();
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

    std::size_t p = 0;
    bool negative = false;
    if (rest[0] == '+' || rest[0] == '-') {
        negative = rest[0] == '-';
        p = 1;
    }
    if (p == rest.size())
        throw fail();
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; p < rest.size(); ++p) {
        const char c = rest[p];
        if (c < '0' || c > '9')
            throw fail();
        value = value * 10 + (c - '0');
        if (value > limit)
            throw fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        throw fail();
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> DecimalChannelText(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    return ClampChannel(TextToInt(text));
}

std::int32_t InvertChannel(std::int32_t channel) {
    return 255 - channel;
}

std::int32_t StepChannel(std::int32_t channel, std::int32_t step) {
    return ClampChannel(std::int64_t{channel} + step);
}

} // namespace tinsora
