#include "color/CssColor.h"

#include "text/Error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tinsora {

namespace {

int ToChannel(double unit) {
    const double v = std::floor(unit * 255.0 + 0.5);
    return static_cast<int>(std::clamp(v, 0.0, 255.0));
}

double Channel01(int c) {
    return c / 255.0;
}

struct ExactHsl {
    double hue;
    double saturation;
    double lightness;
};

// The real-valued HSL of a colour; a grey has hue 0.
ExactHsl ToExactHsl(const ColorRGB& c) {
    const double r = Channel01(c.Red);
    const double g = Channel01(c.Green);
    const double b = Channel01(c.Blue);
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double light = (max + min) / 2.0;
    const double d = max - min;
    double hue = 0.0;
    double sat = 0.0;
    if (d != 0.0) {
        sat = (light == 0.0 || light == 1.0) ? 0.0 : (max - light) / std::min(light, 1.0 - light);
        if (max == r)
            hue = (g - b) / d + (g < b ? 6.0 : 0.0);
        else if (max == g)
            hue = (b - r) / d + 2.0;
        else
            hue = (r - g) / d + 4.0;
        hue *= 60.0;
    }
    return {hue, sat * 100.0, light * 100.0};
}

double Distance(const ExactHsl& exact, const HslTriple& t) {
    double dh = std::fabs(exact.hue - t.hue);
    dh = std::min(dh, 360.0 - dh);
    const double ds = exact.saturation - t.saturation;
    const double dl = exact.lightness - t.lightness;
    return dh * dh + ds * ds + dl * dl;
}

int Channel(const ColorRGB& c, int k) {
    return k == 0 ? c.Red : k == 1 ? c.Green : c.Blue;
}

// The six 60-degree sectors of the hue circle: which channel is the largest,
// which the smallest, and whether the middle one rises with the hue.
struct Sector {
    int maxChannel;
    int minChannel;
    int midChannel;
    bool rising;
};
constexpr std::array<Sector, 6> kSectors{{
    {0, 2, 1, true},
    {1, 2, 0, false},
    {1, 0, 2, true},
    {2, 0, 1, false},
    {2, 1, 0, true},
    {0, 1, 2, false},
}};

} // namespace

ColorRGB HslToRgb(double hue, double saturation, double lightness) {
    if (!std::isfinite(hue))
        hue = 0.0; // no angle at all
    if (hue < 0.0 || hue >= 360.0) {
        hue = std::fmod(hue, 360.0);
        if (hue < 0.0)
            hue += 360.0;
    }
    const double s = std::clamp(saturation, 0.0, 100.0) / 100.0;
    const double l = std::clamp(lightness, 0.0, 100.0) / 100.0;
    const double a = s * std::min(l, 1.0 - l);
    const auto f = [&](double n) {
        // n + hue / 30 lies in 0..24, where this subtraction is exact, as fmod is.
        double k = n + hue / 30.0;
        if (k >= 12.0)
            k -= 12.0;
        return l - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return {ToChannel(f(0)), ToChannel(f(8)), ToChannel(f(4))};
}

HslTriple RgbToHslTriple(const ColorRGB& color) {
    const ExactHsl exact = ToExactHsl(color);
    const HslTriple nearest{static_cast<int>(std::lround(exact.hue)) % 360,
                            static_cast<int>(std::lround(exact.saturation)),
                            static_cast<int>(std::lround(exact.lightness))};
    const auto converts = [&color](const HslTriple& t) {
        return HslToRgb(t.hue, t.saturation, t.lightness) == color;
    };
    if (converts(nearest))
        return nearest;

    // The largest and the smallest channel depend on saturation and lightness
    // only; the hue places the middle one. So look for the (S, L) that give
    // the largest and smallest channel, then for the hues that give the middle.
    const int big = std::max({color.Red, color.Green, color.Blue});
    const int small = std::min({color.Red, color.Green, color.Blue});
    std::optional<HslTriple> best;
    double bestDistance = 0.0;
    const auto consider = [&](const HslTriple& t) {
        if (!converts(t))
            return;
        const double d = Distance(exact, t);
        if (!best || d < bestDistance) {
            best = t;
            bestDistance = d;
        }
    };
    // hi + lo is twice the lightness, and each of them is within half a step
    // of its channel; the allowance only keeps rounding at the ends inside.
    constexpr double kAllowance = 1e-9;
    const double twiceLo = (big + small - 1) / 255.0 - kAllowance;
    const double twiceHi = (big + small + 1) / 255.0 + kAllowance;
    const int lFrom = std::max(0, static_cast<int>(std::floor(50.0 * twiceLo)));
    const int lTo = std::min(100, static_cast<int>(std::ceil(50.0 * twiceHi)));
    for (int L = lFrom; L <= lTo; ++L) {
        const double l = L / 100.0;
        if (2.0 * l < twiceLo || 2.0 * l > twiceHi)
            continue;
        const double lm = std::min(l, 1.0 - l);
        int sFrom = 0;
        int sTo = 100;
        if (lm > 0.0) {
            // hi - lo = 2a = 2 S lm / 100 lies within a step of big - small.
            const double aLo = (big - small - 1) / 510.0 - kAllowance;
            const double aHi = (big - small + 1) / 510.0 + kAllowance;
            sFrom = std::max(0, static_cast<int>(std::floor(100.0 * aLo / lm)));
            sTo = std::min(100, static_cast<int>(std::ceil(100.0 * aHi / lm)));
        } else {
            // Black or white: the saturation does nothing, so keep the nearest.
            sFrom = sTo = std::clamp(nearest.saturation, 0, 100);
        }
        for (int S = sFrom; S <= sTo; ++S) {
            const double a = S / 100.0 * lm;
            const double hi = l - a * -1.0;
            const double lo = l - a * 1.0;
            if (ToChannel(hi) != big || ToChannel(lo) != small)
                continue;
            if (big == small) {
                consider({nearest.hue, S, L});
                continue;
            }
            const double c = hi - lo;
            for (std::size_t i = 0; i < kSectors.size(); ++i) {
                const Sector& sector = kSectors[i];
                if (Channel(color, sector.maxChannel) != big ||
                    Channel(color, sector.minChannel) != small)
                    continue;
                const int mid = Channel(color, sector.midChannel);
                const double t0 = ((mid - 0.5) / 255.0 - lo) / c;
                const double t1 = ((mid + 0.5) / 255.0 - lo) / c;
                const double start = 60.0 * static_cast<double>(i);
                double h0 = sector.rising ? start + 60.0 * t0 : start + 60.0 * (1.0 - t1);
                double h1 = sector.rising ? start + 60.0 * t1 : start + 60.0 * (1.0 - t0);
                h0 = std::clamp(h0, start, start + 60.0);
                h1 = std::clamp(h1, start, start + 60.0);
                for (int h = static_cast<int>(std::floor(h0)) - 1;
                     h <= static_cast<int>(std::ceil(h1)) + 1; ++h)
                    if (h >= static_cast<int>(start) && h <= static_cast<int>(start) + 60)
                        consider({h % 360, S, L});
            }
        }
    }
    return best ? *best : nearest;
}

std::string CssRgbText(const ColorRGB& c) {
    return "rgb(" + ChannelToDecimal(c.Red) + " " + ChannelToDecimal(c.Green) + " " +
           ChannelToDecimal(c.Blue) + ")";
}

std::string CssHslText(const ColorRGB& c) {
    const HslTriple t = RgbToHslTriple(c);
    std::string text;
    text.reserve(20);
    text += "hsl(";
    text += ChannelToDecimal(t.hue);
    text += ' ';
    text += ChannelToDecimal(t.saturation);
    text += "% ";
    text += ChannelToDecimal(t.lightness);
    text += "%)";
    return text;
}

// ---------------------------------------------------------------------------
// Reading CSS colours.

namespace {

struct NamedColor {
    std::string_view name;
    std::uint32_t rgb;
};

// Sorted by name for the binary search.
constexpr NamedColor kNamedColors[] = {
    {"aliceblue", 0xf0f8ff},
    {"antiquewhite", 0xfaebd7},
    {"aqua", 0x00ffff},
    {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff},
    {"beige", 0xf5f5dc},
    {"bisque", 0xffe4c4},
    {"black", 0x000000},
    {"blanchedalmond", 0xffebcd},
    {"blue", 0x0000ff},
    {"blueviolet", 0x8a2be2},
    {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887},
    {"cadetblue", 0x5f9ea0},
    {"chartreuse", 0x7fff00},
    {"chocolate", 0xd2691e},
    {"coral", 0xff7f50},
    {"cornflowerblue", 0x6495ed},
    {"cornsilk", 0xfff8dc},
    {"crimson", 0xdc143c},
    {"cyan", 0x00ffff},
    {"darkblue", 0x00008b},
    {"darkcyan", 0x008b8b},
    {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xa9a9a9},
    {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b},
    {"darkolivegreen", 0x556b2f},
    {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000},
    {"darksalmon", 0xe9967a},
    {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f},
    {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3},
    {"deeppink", 0xff1493},
    {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1e90ff},
    {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22},
    {"fuchsia", 0xff00ff},
    {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700},
    {"goldenrod", 0xdaa520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xadff2f},
    {"grey", 0x808080},
    {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c},
    {"indigo", 0x4b0082},
    {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa},
    {"lavenderblush", 0xfff0f5},
    {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6},
    {"lightcoral", 0xf08080},
    {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2},
    {"lightgray", 0xd3d3d3},
    {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3},
    {"lightpink", 0xffb6c1},
    {"lightsalmon", 0xffa07a},
    {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de},
    {"lightyellow", 0xffffe0},
    {"lime", 0x00ff00},
    {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6},
    {"magenta", 0xff00ff},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd},
    {"mediumorchid", 0xba55d3},
    {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371},
    {"mediumslateblue", 0x7b68ee},
    {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc},
    {"mediumvioletred", 0xc71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa},
    {"mistyrose", 0xffe4e1},
    {"moccasin", 0xffe4b5},
    {"navajowhite", 0xffdead},
    {"navy", 0x000080},
    {"oldlace", 0xfdf5e6},
    {"olive", 0x808000},
    {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500},
    {"orangered", 0xff4500},
    {"orchid", 0xda70d6},
    {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98},
    {"paleturquoise", 0xafeeee},
    {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5},
    {"peachpuff", 0xffdab9},
    {"peru", 0xcd853f},
    {"pink", 0xffc0cb},
    {"plum", 0xdda0dd},
    {"powderblue", 0xb0e0e6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xff0000},
    {"rosybrown", 0xbc8f8f},
    {"royalblue", 0x4169e1},
    {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072},
    {"sandybrown", 0xf4a460},
    {"seagreen", 0x2e8b57},
    {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d},
    {"silver", 0xc0c0c0},
    {"skyblue", 0x87ceeb},
    {"slateblue", 0x6a5acd},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xfffafa},
    {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4},
    {"tan", 0xd2b48c},
    {"teal", 0x008080},
    {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347},
    {"turquoise", 0x40e0d0},
    {"violet", 0xee82ee},
    {"wheat", 0xf5deb3},
    {"white", 0xffffff},
    {"whitesmoke", 0xf5f5f5},
    {"yellow", 0xffff00},
    {"yellowgreen", 0x9acd32},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = Lower(c);
    return out;
}

std::string Quote(std::string_view piece) {
    return QuotedInMessage(piece);
}

CssColorResult Fail(std::string message) {
    return {std::nullopt, std::move(message)};
}

CssColorResult Ok(int r, int g, int b) {
    return {ColorRGB{r, g, b}, {}};
}

CssColorResult ParseHex(std::string_view digits, std::string_view whole) {
    for (const char c : digits)
        if (HexValue(c) < 0)
            return Fail(Quote(whole) + " has a character that is not a hexadecimal digit");
    const auto d = [&digits](std::size_t k) { return HexValue(digits[k]); };
    switch (digits.size()) {
    case 3:
    case 4:
        if (digits.size() == 4 && d(3) != 15)
            return Fail(Quote(whole) +
                        " is not opaque (only a colour without transparency is used)");
        return Ok(d(0) * 17, d(1) * 17, d(2) * 17);
    case 6:
    case 8:
        if (digits.size() == 8 && d(6) * 16 + d(7) != 255)
            return Fail(Quote(whole) +
                        " is not opaque (only a colour without transparency is used)");
        return Ok(d(0) * 16 + d(1), d(2) * 16 + d(3), d(4) * 16 + d(5));
    default:
        return Fail(Quote(whole) + " needs 3 or 6 hexadecimal digits after \"#\"");
    }
}

enum class Unit { None, Percent, Deg, Grad, Rad, Turn };

struct Value {
    bool none = false; // the keyword none
    double number = 0.0;
    Unit unit = Unit::None;
    std::string_view text;
};

// A CSS number: an optional sign, digits with an optional fraction (or a
// fraction alone), an optional exponent. Returns the length read, 0 for none.
std::size_t ReadNumber(std::string_view s, double& value) {
    std::size_t k = 0;
    bool negative = false;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
        negative = s[k] == '-';
        ++k;
    }
    const std::size_t digitsStart = k;
    std::size_t intDigits = 0;
    while (k < s.size() && IsDigit(s[k])) {
        ++k;
        ++intDigits;
    }
    std::size_t fracDigits = 0;
    if (k + 1 < s.size() && s[k] == '.' && IsDigit(s[k + 1])) {
        ++k;
        while (k < s.size() && IsDigit(s[k])) {
            ++k;
            ++fracDigits;
        }
    }
    if (intDigits == 0 && fracDigits == 0)
        return 0;
    // The place of the first digit that is not 0, counted from the units (1 for the units,
    // 0 for the tenths), then moved by the exponent: where a number out of range lies.
    const std::string_view digits = s.substr(digitsStart, k - digitsStart);
    const std::size_t firstDigit = digits.find_first_of("123456789");
    long long place =
        firstDigit == std::string_view::npos
            ? 0
            : static_cast<long long>(intDigits) -
                  static_cast<long long>(firstDigit < intDigits ? firstDigit : firstDigit - 1);
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
        std::size_t e = k + 1;
        bool negativeExponent = false;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) {
            negativeExponent = s[e] == '-';
            ++e;
        }
        if (e < s.size() && IsDigit(s[e])) {
            long long exponent = 0;
            for (; e < s.size() && IsDigit(s[e]); ++e)
                exponent = std::min(exponent * 10 + (s[e] - '0'), 1000000000LL);
            place += negativeExponent ? -exponent : exponent;
            k = e;
        }
    }
    double magnitude = 0.0;
    const auto r = std::from_chars(s.data() + digitsStart, s.data() + k, magnitude);
    if (r.ec == std::errc::result_out_of_range)
        magnitude = place > 0 ? HUGE_VAL : 0.0;
    else if (r.ec != std::errc() || r.ptr != s.data() + k)
        return 0;
    value = negative ? -magnitude : magnitude;
    return k;
}

std::optional<Value> ReadValue(std::string_view token) {
    Value v;
    v.text = token;
    if (LowerCase(token) == "none") {
        v.none = true;
        return v;
    }
    const std::size_t n = ReadNumber(token, v.number);
    if (n == 0)
        return std::nullopt;
    const std::string unit = LowerCase(token.substr(n));
    if (unit.empty())
        v.unit = Unit::None;
    else if (unit == "%")
        v.unit = Unit::Percent;
    else if (unit == "deg")
        v.unit = Unit::Deg;
    else if (unit == "grad")
        v.unit = Unit::Grad;
    else if (unit == "rad")
        v.unit = Unit::Rad;
    else if (unit == "turn")
        v.unit = Unit::Turn;
    else
        return std::nullopt;
    return v;
}

struct Arguments {
    std::vector<Value> values; // the colour's three values, then the alpha
    bool commas = false;
    bool slash = false;
};

// Splits the inside of rgb(...) or hsl(...) into its values: separated by
// commas throughout (the legacy form) or by blanks with an optional "/"
// before the alpha (the modern form).
std::optional<std::string> SplitArguments(std::string_view inside, std::string_view function,
                                          Arguments& out) {
    std::vector<std::string_view> tokens;
    std::vector<char> separators; // the separator before each token: ' ', ',' or '/'
    char pending = ' ';
    std::size_t commas = 0;
    std::size_t slashes = 0;
    std::size_t k = 0;
    while (k < inside.size()) {
        const char c = inside[k];
        if (IsCssBlank(c)) {
            ++k;
            continue;
        }
        if (c == ',' || c == '/') {
            if (pending != ' ' || tokens.empty())
                return std::string(function) + "() has a misplaced " +
                       (c == ',' ? "\",\"" : "\"/\"");
            pending = c;
            (c == ',' ? commas : slashes) += 1;
            ++k;
            continue;
        }
        const std::size_t start = k;
        while (k < inside.size() && !IsCssBlank(inside[k]) && inside[k] != ',' && inside[k] != '/')
            ++k;
        if (!tokens.empty() && pending == ' ' && commas > 0)
            return std::string(function) + "() needs \",\" between all its values or none";
        tokens.push_back(inside.substr(start, k - start));
        separators.push_back(pending);
        pending = ' ';
    }
    if (pending != ' ')
        return std::string(function) + "() ends with a separator";
    if (commas > 0 && slashes > 0)
        return std::string(function) + "() mixes \",\" and \"/\"";
    if (commas > 0 && commas + 1 != tokens.size())
        return std::string(function) + "() needs \",\" between all its values or none";
    if (slashes > 1 || (slashes == 1 && (tokens.size() != 4 || separators[3] != '/')))
        return std::string(function) + "() takes \"/\" only before the alpha, the fourth value";
    if (tokens.size() < 3)
        return std::string(function) + "() needs three values";
    if (tokens.size() > 4)
        return std::string(function) + "() takes three values and an alpha, not " +
               std::to_string(tokens.size()) + " values";
    if (commas == 0 && tokens.size() == 4 && slashes == 0)
        return std::string(function) + "() needs \"/\" before the alpha";
    for (const std::string_view token : tokens) {
        const auto v = ReadValue(token);
        if (!v)
            return std::string(function) + "(): " + Quote(token) + " is not a number";
        out.values.push_back(*v);
    }
    out.commas = commas > 0;
    out.slash = slashes > 0;
    if (out.commas)
        for (const Value& v : out.values)
            if (v.none)
                return std::string(function) + "(): \"none\" needs the form without commas";
    return std::nullopt;
}

std::optional<std::string> CheckOpaque(const Arguments& args, std::string_view function) {
    if (args.values.size() < 4)
        return std::nullopt;
    const Value& alpha = args.values[3];
    if (alpha.unit != Unit::None && alpha.unit != Unit::Percent)
        return std::string(function) + "(): the alpha " + Quote(alpha.text) + " is not a number";
    const double opaque = alpha.unit == Unit::Percent ? 100.0 : 1.0;
    if (alpha.none || alpha.number < opaque)
        return std::string(function) + "(): the alpha " + Quote(alpha.text) +
               " is not opaque (only a colour without transparency is used)";
    return std::nullopt;
}

CssColorResult ParseRgb(const Arguments& args, std::string_view function) {
    if (const auto e = CheckOpaque(args, function))
        return Fail(*e);
    int channels[3] = {};
    int percents = 0;
    for (int k = 0; k < 3; ++k) {
        const Value& v = args.values[static_cast<std::size_t>(k)];
        if (v.unit != Unit::None && v.unit != Unit::Percent)
            return Fail(std::string(function) + "(): " + Quote(v.text) +
                        " is not a number or a percentage");
        if (v.unit == Unit::Percent)
            ++percents;
        // Percentages as p * 255 / 100, so that 50% is 127.5 exactly and rounds up.
        const double value = v.none                    ? 0.0
                             : v.unit == Unit::Percent ? v.number * 255.0 / 100.0
                                                       : v.number;
        channels[k] = static_cast<int>(std::floor(std::clamp(value, 0.0, 255.0) + 0.5));
    }
    if (args.commas && percents != 0 && percents != 3)
        return Fail(std::string(function) + "() with commas needs all numbers or all percentages");
    return Ok(channels[0], channels[1], channels[2]);
}

// A hue in radians is taken modulo a turn as exactly as 2 pi is known; past this many radians
// the turns taken out would move it by more than a few millionths of a degree.
constexpr double kMaxRadians = 1e9;

// The hue in degrees, taken modulo one turn in its own unit first (exactly: fmod is exact), so
// that no size of angle passes through an infinite value; nothing for an angle out of range.
std::optional<double> HueDegrees(const Value& h) {
    constexpr double kPi = 3.14159265358979323846;
    if (h.none)
        return 0.0;
    if (!std::isfinite(h.number))
        return std::nullopt;
    switch (h.unit) {
    case Unit::Grad:
        return std::fmod(h.number, 400.0) * 0.9;
    case Unit::Rad:
        if (std::fabs(h.number) > kMaxRadians)
            return std::nullopt;
        return std::fmod(h.number, 2.0 * kPi) * (180.0 / kPi);
    case Unit::Turn:
        return std::fmod(h.number, 1.0) * 360.0;
    default:
        return std::fmod(h.number, 360.0);
    }
}

CssColorResult ParseHsl(const Arguments& args, std::string_view function) {
    if (const auto e = CheckOpaque(args, function))
        return Fail(*e);
    const Value& h = args.values[0];
    if (h.unit == Unit::Percent)
        return Fail(std::string(function) + "(): the hue " + Quote(h.text) + " is not an angle");
    const std::optional<double> hue = HueDegrees(h);
    if (!hue)
        return Fail(std::string(function) + "(): the hue " + Quote(h.text) +
                    " is too large an angle");
    double sl[2] = {};
    for (int k = 0; k < 2; ++k) {
        const Value& v = args.values[static_cast<std::size_t>(k) + 1];
        const bool percent = v.unit == Unit::Percent;
        if (!v.none && !percent && (v.unit != Unit::None || args.commas))
            return Fail(std::string(function) + "(): " + Quote(v.text) + " is not a percentage");
        sl[k] = v.none ? 0.0 : v.number;
    }
    return {HslToRgb(*hue, sl[0], sl[1]), {}};
}

} // namespace

std::optional<ColorRGB> NamedCssColor(std::string_view lowerCaseName) {
    const auto it = std::lower_bound(
        std::begin(kNamedColors), std::end(kNamedColors), lowerCaseName,
        [](const NamedColor& entry, std::string_view name) { return entry.name < name; });
    if (it == std::end(kNamedColors) || it->name != lowerCaseName)
        return std::nullopt;
    return ColorRGB{static_cast<int>(it->rgb >> 16), static_cast<int>((it->rgb >> 8) & 0xff),
                    static_cast<int>(it->rgb & 0xff)};
}

std::size_t NamedCssColorCount() {
    return std::size(kNamedColors);
}

CssColorResult ParseCssColor(std::string_view text) {
    const std::string_view t = TrimCssBlanks(text);
    if (t.empty())
        return Fail("an empty text is not a colour");
    if (t.front() == '#')
        return ParseHex(t.substr(1), t);
    if (t.size() == 6 && std::all_of(t.begin(), t.end(), [](char c) { return HexValue(c) >= 0; }))
        return ParseHex(t, t);

    const std::size_t open = t.find('(');
    if (open == std::string_view::npos) {
        const std::string name = LowerCase(t);
        if (const auto c = NamedCssColor(name))
            return {c, {}};
        if (name == "transparent")
            return Fail("'transparent' is not opaque (only a colour without transparency is used)");
        return Fail(Quote(t) + " is not a colour (a name, #RGB, #RRGGBB, rgb() or hsl())");
    }
    const std::string function = LowerCase(t.substr(0, open));
    const bool rgb = function == "rgb" || function == "rgba";
    const bool hsl = function == "hsl" || function == "hsla";
    if (!rgb && !hsl)
        return Fail(Quote(t.substr(0, open)) + " is not rgb(), rgba(), hsl() or hsla()");
    if (t.back() != ')')
        return Fail(function + "() is not closed with \")\"");
    const std::string_view inside = t.substr(open + 1, t.size() - open - 2);
    if (inside.find_first_of("()") != std::string_view::npos)
        return Fail(function + "() has a bracket inside");
    Arguments args;
    if (const auto e = SplitArguments(inside, function, args))
        return Fail(*e);
    return rgb ? ParseRgb(args, function) : ParseHsl(args, function);
}

bool IsCssBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view TrimCssBlanks(std::string_view text) {
    while (!text.empty() && IsCssBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsCssBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace tinsora
