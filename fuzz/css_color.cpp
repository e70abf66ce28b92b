// The CSS colour parser over any bytes, and the notations of every colour. The parser gives a
// colour or a message for anything; agrees with a model written here on the hexadecimal and
// the named forms (the names and their colours as CSS lists them) and on rgb() and hsl() (their
// two syntaxes, numbers of any size, units, "none", the alpha, and the colour computed another
// way, CSS Color 3's, in extended precision); reads a text the same in
// any ASCII case and with blanks around it. Every colour's rgb() and #RRGGBB notations
// (and its six digits alone) read back as the colour, and its hsl() notation as the colour its
// triple gives, which is the colour itself unless no whole-number triple near it gives it.
#include "FuzzCheck.h"
#include "color/CssColor.h"
#include "color/Notation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tinsora;

// The named colours of CSS Color 4, with their sRGB values.
constexpr std::string_view kNames =
    "aliceblue f0f8ff antiquewhite faebd7 aqua 00ffff aquamarine 7fffd4 azure f0ffff "
    "beige f5f5dc bisque ffe4c4 black 000000 blanchedalmond ffebcd blue 0000ff "
    "blueviolet 8a2be2 brown a52a2a burlywood deb887 cadetblue 5f9ea0 chartreuse 7fff00 "
    "chocolate d2691e coral ff7f50 cornflowerblue 6495ed cornsilk fff8dc crimson dc143c "
    "cyan 00ffff darkblue 00008b darkcyan 008b8b darkgoldenrod b8860b darkgray a9a9a9 "
    "darkgreen 006400 darkgrey a9a9a9 darkkhaki bdb76b darkmagenta 8b008b "
    "darkolivegreen 556b2f darkorange ff8c00 darkorchid 9932cc darkred 8b0000 "
    "darksalmon e9967a darkseagreen 8fbc8f darkslateblue 483d8b darkslategray 2f4f4f "
    "darkslategrey 2f4f4f darkturquoise 00ced1 darkviolet 9400d3 deeppink ff1493 "
    "deepskyblue 00bfff dimgray 696969 dimgrey 696969 dodgerblue 1e90ff firebrick b22222 "
    "floralwhite fffaf0 forestgreen 228b22 fuchsia ff00ff gainsboro dcdcdc "
    "ghostwhite f8f8ff gold ffd700 goldenrod daa520 gray 808080 green 008000 "
    "greenyellow adff2f grey 808080 honeydew f0fff0 hotpink ff69b4 indianred cd5c5c "
    "indigo 4b0082 ivory fffff0 khaki f0e68c lavender e6e6fa lavenderblush fff0f5 "
    "lawngreen 7cfc00 lemonchiffon fffacd lightblue add8e6 lightcoral f08080 "
    "lightcyan e0ffff lightgoldenrodyellow fafad2 lightgray d3d3d3 lightgreen 90ee90 "
    "lightgrey d3d3d3 lightpink ffb6c1 lightsalmon ffa07a lightseagreen 20b2aa "
    "lightskyblue 87cefa lightslategray 778899 lightslategrey 778899 "
    "lightsteelblue b0c4de lightyellow ffffe0 lime 00ff00 limegreen 32cd32 linen faf0e6 "
    "magenta ff00ff maroon 800000 mediumaquamarine 66cdaa mediumblue 0000cd "
    "mediumorchid ba55d3 mediumpurple 9370db mediumseagreen 3cb371 "
    "mediumslateblue 7b68ee mediumspringgreen 00fa9a mediumturquoise 48d1cc "
    "mediumvioletred c71585 midnightblue 191970 mintcream f5fffa mistyrose ffe4e1 "
    "moccasin ffe4b5 navajowhite ffdead navy 000080 oldlace fdf5e6 olive 808000 "
    "olivedrab 6b8e23 orange ffa500 orangered ff4500 orchid da70d6 palegoldenrod eee8aa "
    "palegreen 98fb98 paleturquoise afeeee palevioletred db7093 papayawhip ffefd5 "
    "peachpuff ffdab9 peru cd853f pink ffc0cb plum dda0dd powderblue b0e0e6 "
    "purple 800080 rebeccapurple 663399 red ff0000 rosybrown bc8f8f royalblue 4169e1 "
    "saddlebrown 8b4513 salmon fa8072 sandybrown f4a460 seagreen 2e8b57 seashell fff5ee "
    "sienna a0522d silver c0c0c0 skyblue 87ceeb slateblue 6a5acd slategray 708090 "
    "slategrey 708090 snow fffafa springgreen 00ff7f steelblue 4682b4 tan d2b48c "
    "teal 008080 thistle d8bfd8 tomato ff6347 turquoise 40e0d0 violet ee82ee "
    "wheat f5deb3 white ffffff whitesmoke f5f5f5 yellow ffff00 yellowgreen 9acd32";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

ColorRGB FromHex(std::string_view six) {
    const auto pair = [&](std::size_t k) { return HexValue(six[k]) * 16 + HexValue(six[k + 1]); };
    return {pair(0), pair(2), pair(4)};
}

const std::map<std::string, ColorRGB, std::less<>>& Names() {
    static const auto names = [] {
        std::map<std::string, ColorRGB, std::less<>> m;
        std::string_view rest = kNames;
        while (!rest.empty()) {
            const std::size_t space = rest.find(' ');
            const std::string_view name = rest.substr(0, space);
            const std::string_view hex = rest.substr(space + 1, 6);
            m.emplace(std::string(name), FromHex(hex));
            rest.remove_prefix(std::min(rest.size(), space + 8));
        }
        return m;
    }();
    return names;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view Trim(std::string_view t) {
    while (!t.empty() && IsBlank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back()))
        t.remove_suffix(1);
    return t;
}

std::string Lower(std::string_view t) {
    std::string s(t);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Upper(std::string_view t) {
    std::string s(t);
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool AllHex(std::string_view t) {
    for (const char c : t)
        if (HexValue(c) < 0)
            return false;
    return true;
}

// ---- The functions rgb() and hsl(), after CSS Color 4, written out once more.

// What the model makes of a text: no colour, or a colour whose channels each lie in a range of
// one or two values (two where the exact value lies so near a half that the program's floating
// point may round it either way).
struct Modelled {
    bool colour = false;
    int low[3] = {};
    int high[3] = {};
};

Modelled NoColour() {
    return {};
}

// A channel of exact value x (0..255 after clamping) rounded half up, within tolerance.
void Round(long double x, long double tolerance, int& low, int& high) {
    x = std::clamp(x, 0.0L, 255.0L);
    low = static_cast<int>(std::floor(x + 0.5L - tolerance));
    high = static_cast<int>(std::floor(x + 0.5L + tolerance));
    low = std::clamp(low, 0, 255);
    high = std::clamp(high, 0, 255);
}

struct Number {
    bool none = false;
    long double value = 0;
    std::string unit; // lower case: "", "%", "deg", "grad", "rad", "turn"
};

// A token: "none" in any case, or an optional sign, digits with a fraction ("1.5", ".5"),
// an optional exponent ("e-3"), and a unit of any case.
std::optional<Number> ReadToken(std::string_view token) {
    Number n;
    if (Lower(token) == "none") {
        n.none = true;
        return n;
    }
    std::size_t k = 0;
    const auto digits = [&] {
        const std::size_t from = k;
        while (k < token.size() && token[k] >= '0' && token[k] <= '9')
            ++k;
        return k - from;
    };
    if (k < token.size() && (token[k] == '+' || token[k] == '-'))
        ++k;
    std::size_t count = digits();
    if (k + 1 < token.size() && token[k] == '.' && token[k + 1] >= '0' && token[k + 1] <= '9') {
        ++k;
        count += digits();
    }
    if (count == 0)
        return std::nullopt;
    if (k < token.size() && (token[k] == 'e' || token[k] == 'E')) {
        const std::size_t mark = k;
        ++k;
        if (k < token.size() && (token[k] == '+' || token[k] == '-'))
            ++k;
        if (digits() == 0)
            k = mark; // "1e" is the number 1 and the unit "e"
    }
    // A number of CSS is read as the nearest double (the C library's, in the C locale the
    // fuzzer runs in): infinite past the largest, 0 below the smallest.
    n.value = std::strtod(std::string(token.substr(0, k)).c_str(), nullptr);
    n.unit = Lower(token.substr(k));
    for (const char* unit : {"", "%", "deg", "grad", "rad", "turn"})
        if (n.unit == unit)
            return n;
    return std::nullopt;
}

// The values inside the brackets, in the form with commas between all of them ("1, 2, 3" and
// an alpha) or in the form with blanks ("1 2 3" and "/ alpha"); nothing for anything else.
std::optional<std::vector<std::string_view>> Values(std::string_view inside, bool& commas) {
    const auto split = [](std::string_view text, char separator) {
        std::vector<std::string_view> parts;
        for (std::size_t at = 0;;) {
            const std::size_t next = text.find(separator, at);
            parts.push_back(Trim(text.substr(at, next - at)));
            if (next == std::string_view::npos)
                return parts;
            at = next + 1;
        }
    };
    const auto single = [](std::string_view v) {
        return !v.empty() && v.find_first_of(" \t\n\r\f,/") == std::string_view::npos;
    };
    commas = inside.find(',') != std::string_view::npos;
    std::vector<std::string_view> values;
    if (commas) {
        values = split(inside, ',');
        for (const std::string_view v : values)
            if (!single(v))
                return std::nullopt;
    } else {
        const std::vector<std::string_view> halves = split(inside, '/');
        if (halves.size() > 2)
            return std::nullopt;
        std::string_view rest = halves[0];
        while (!rest.empty()) {
            const std::size_t end = rest.find_first_of(" \t\n\r\f");
            values.push_back(rest.substr(0, end));
            rest = Trim(end == std::string_view::npos ? std::string_view() : rest.substr(end));
        }
        if (values.size() != 3)
            return std::nullopt;
        if (halves.size() == 2) {
            if (!single(halves[1]))
                return std::nullopt;
            values.push_back(halves[1]);
        }
    }
    if (values.size() != 3 && values.size() != 4)
        return std::nullopt;
    return values;
}

// rgb(), rgba(), hsl() and hsla(); nothing when text is no such function.
std::optional<Modelled> ModelFunction(std::string_view text) {
    const std::string_view t = Trim(text);
    const std::size_t open = t.find('(');
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::string name = Lower(t.substr(0, open));
    const bool rgb = name == "rgb" || name == "rgba";
    if (!rgb && name != "hsl" && name != "hsla")
        return NoColour();
    if (t.back() != ')')
        return NoColour();
    const std::string_view inside = t.substr(open + 1, t.size() - open - 2);
    if (inside.find_first_of("()") != std::string_view::npos)
        return NoColour();
    bool commas = false;
    const auto values = Values(inside, commas);
    if (!values)
        return NoColour();
    std::vector<Number> n;
    for (const std::string_view v : *values) {
        const auto number = ReadToken(v);
        if (!number || (number->none && commas))
            return NoColour();
        n.push_back(*number);
    }
    // The alpha: a number of at least 1 or a percentage of at least 100.
    if (n.size() == 4) {
        const Number& a = n[3];
        if (a.none || (a.unit != "" && a.unit != "%") || a.value < (a.unit == "%" ? 100 : 1))
            return NoColour();
    }
    Modelled m;
    m.colour = true;
    if (rgb) {
        int percents = 0;
        for (int k = 0; k < 3; ++k) {
            const Number& v = n[static_cast<std::size_t>(k)];
            if (v.unit != "" && v.unit != "%")
                return NoColour();
            percents += v.unit == "%";
            const long double x = v.none ? 0 : v.unit == "%" ? v.value * 255 / 100 : v.value;
            Round(x, 1e-9L, m.low[k], m.high[k]);
        }
        if (commas && percents != 0 && percents != 3)
            return NoColour();
        return m;
    }
    // hsl(): the hue in any angle unit, taken modulo one turn; refused past 1e9 radians or out
    // of range.
    const Number& h = n[0];
    long double hue = 0;
    long double tolerance = 1e-7L;
    if (!h.none) {
        if (h.unit == "%" || !std::isfinite(h.value))
            return NoColour();
        if (h.unit == "turn")
            hue = std::fmod(h.value, 1.0L) * 360;
        else if (h.unit == "grad")
            hue = std::fmod(h.value, 400.0L) * 360 / 400;
        else if (h.unit == "rad") {
            if (std::fabs(h.value) > 1e9L)
                return NoColour();
            const long double pi = 3.141592653589793238462643383279502884L;
            hue = std::fmod(h.value, 2 * pi) * 180 / pi;
            tolerance = 1e-4L; // 2 pi is known less exactly in a double
        } else {
            hue = std::fmod(h.value, 360.0L);
        }
    }
    long double sl[2];
    for (int k = 0; k < 2; ++k) {
        const Number& v = n[static_cast<std::size_t>(k) + 1];
        if (!v.none && v.unit != "%" && (v.unit != "" || commas))
            return NoColour();
        sl[k] = std::clamp(v.none ? 0.0L : v.value, 0.0L, 100.0L) / 100;
    }
    // CSS Color 3's conversion.
    const long double s = sl[0], l = sl[1];
    const long double m2 = l <= 0.5L ? l * (s + 1) : l + s - l * s;
    const long double m1 = l * 2 - m2;
    const auto channel = [&](long double x) {
        x -= std::floor(x);
        if (x * 6 < 1)
            return m1 + (m2 - m1) * x * 6;
        if (x * 2 < 1)
            return m2;
        if (x * 3 < 2)
            return m1 + (m2 - m1) * (2.0L / 3 - x) * 6;
        return m1;
    };
    const long double turn = hue / 360;
    const long double rgbValues[3] = {channel(turn + 1.0L / 3), channel(turn),
                                      channel(turn - 1.0L / 3)};
    for (int k = 0; k < 3; ++k)
        Round(rgbValues[k] * 255, tolerance, m.low[k], m.high[k]);
    return m;
}

// ---- The hexadecimal and the named forms.

// What the model says of a text in the hexadecimal or the named form: a colour, or no
// colour; nothing when the text is a function (rgb() and its kin), modelled above.
// What the model says of a text in the hexadecimal or the named form: a colour, or no
// colour; nothing when the text is a function (rgb() and its kin), which the model leaves.
std::optional<std::optional<ColorRGB>> Model(std::string_view text) {
    const std::string_view t = Trim(text);
    using Result = std::optional<ColorRGB>;
    if (!t.empty() && t.front() == '#') {
        const std::string_view d = t.substr(1);
        if (!AllHex(d))
            return Result();
        const auto v = [&](std::size_t k) { return HexValue(d[k]); };
        if (d.size() == 3 || (d.size() == 4 && v(3) == 15))
            return Result(ColorRGB{v(0) * 17, v(1) * 17, v(2) * 17});
        if (d.size() == 6 || (d.size() == 8 && v(6) == 15 && v(7) == 15))
            return Result(FromHex(d));
        return Result();
    }
    if (t.size() == 6 && AllHex(t))
        return Result(FromHex(t));
    if (t.find('(') != std::string_view::npos)
        return std::nullopt;
    const auto& names = Names();
    if (const auto it = names.find(Lower(t)); it != names.end())
        return Result(it->second);
    return Result();
}

void CheckParse(std::string_view text) {
    const CssColorResult r = ParseCssColor(text);
    FUZZ_CHECK(r.color.has_value() == r.error.empty());
    if (r.color) {
        for (const int c : {r.color->Red, r.color->Green, r.color->Blue})
            FUZZ_CHECK(c >= 0 && c <= 255);
    } else if (fuzz::IsUtf8(text)) {
        FUZZ_CHECK(fuzz::IsUtf8(r.error));
    }
    if (const auto expected = Model(text))
        FUZZ_CHECK(r.color == *expected);
    if (const auto modelled = ModelFunction(text)) {
        if (r.color.has_value() != modelled->colour) {
            std::fprintf(stderr, "css: %s: the program says %s, the model %s\n",
                         ("'" + fuzz::ShownPiece(text, 200) + "'").c_str(),
                         r.color ? "a colour" : r.error.c_str(),
                         modelled->colour ? "a colour" : "no colour");
            std::abort();
        }
        if (r.color) {
            const int got[3] = {r.color->Red, r.color->Green, r.color->Blue};
            for (int k = 0; k < 3; ++k) {
                if (got[k] < modelled->low[k] || got[k] > modelled->high[k]) {
                    std::fprintf(stderr, "css: %s: channel %d is %d, the model says %d..%d\n",
                                 ("'" + fuzz::ShownPiece(text, 200) + "'").c_str(), k, got[k],
                                 modelled->low[k], modelled->high[k]);
                    std::abort();
                }
            }
        }
    }
    // ASCII case and blanks around play no part.
    FUZZ_CHECK(ParseCssColor(Upper(text)).color == r.color);
    FUZZ_CHECK(ParseCssColor(Lower(text)).color == r.color);
    FUZZ_CHECK(ParseCssColor(" \t" + std::string(text) + "\n\f").color == r.color);
}

void CheckNotations(const ColorRGB& c) {
    const auto read = [](const std::string& text) { return ParseCssColor(text).color; };
    FUZZ_CHECK(read(FormatColorText(ctHex, c.Red, c.Green, c.Blue, true)) == c);
    FUZZ_CHECK(read(FormatColorText(ctHex, c.Red, c.Green, c.Blue, false)) == c);
    FUZZ_CHECK(read(FormatColorText(ctCssRgb, c.Red, c.Green, c.Blue, true)) == c);
    FUZZ_CHECK(read(CssRgbText(c)) == c);

    const std::string hsl = FormatColorText(ctCssHsl, c.Red, c.Green, c.Blue, true);
    FUZZ_CHECK(hsl == CssHslText(c));
    const HslTriple t = RgbToHslTriple(c);
    FUZZ_CHECK(t.hue >= 0 && t.hue < 360 && t.saturation >= 0 && t.saturation <= 100 &&
               t.lightness >= 0 && t.lightness <= 100);
    FUZZ_CHECK(hsl == "hsl(" + std::to_string(t.hue) + " " + std::to_string(t.saturation) + "% " +
                          std::to_string(t.lightness) + "%)");
    const auto back = read(hsl);
    FUZZ_CHECK(back == HslToRgb(t.hue, t.saturation, t.lightness));
    if (back != c) {
        // No triple near the one chosen gives the colour either.
        for (int dh = -3; dh <= 3; ++dh)
            for (int ds = -3; ds <= 3; ++ds)
                for (int dl = -3; dl <= 3; ++dl)
                    FUZZ_CHECK(HslToRgb((t.hue + dh + 360) % 360, t.saturation + ds,
                                        t.lightness + dl) != c ||
                               t.saturation + ds < 0 || t.saturation + ds > 100 ||
                               t.lightness + dl < 0 || t.lightness + dl > 100);
    }
}

// A text made of the pieces of CSS colours (and of characters of more than one byte).
std::string CssText(FuzzedDataProvider& in) {
    static constexpr const char* kPieces[] = {
        "rgb(", "rgba(", "hsl(", "HSLA(", ")",   "(",    ",",           "/",   " ",      "\t",
        "\f",   "%",     "deg",  "grad",  "rad", "turn", "none",        "e",   "E",      "-",
        "+",    ".",     "0",    "1",     "50",  "255",  "360",         "1e3", "1e-400", "1e400",
        "#",    "f",     "A",    "0f",    "red", "Grey", "transparent", "あ",  "😀"};
    std::string text;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeIntegralInRange(0, 7) == 0)
            text += std::to_string(in.ConsumeIntegralInRange(-1000, 1000));
        else
            text += in.PickValueInArray(kPieces);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool tableChecked = [] {
        // The program knows the names CSS lists, and no others.
        FUZZ_CHECK(NamedCssColorCount() == Names().size());
        for (const auto& [name, color] : Names())
            FUZZ_CHECK(NamedCssColor(name) == color);
        return true;
    }();
    static_cast<void>(tableChecked);

    FuzzedDataProvider in(data, size);
    CheckNotations(fuzz::TakeColor(in));
    const std::string text = in.ConsumeBool() ? in.ConsumeRemainingBytesAsString() : CssText(in);
    CheckParse(text);
    // The same bytes after "#", and as the name of a colour function.
    CheckParse("#" + text);
    CheckParse("rgb(" + text + ")");
    CheckParse("hsl(" + text + ")");
    return 0;
}
