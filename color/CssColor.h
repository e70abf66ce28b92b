#pragma once

#include "color/User.h"

#include <optional>
#include <string>
#include <string_view>

namespace tinsora {

/// True for the white space of CSS: space, tab, line feed, carriage return, form feed.
bool IsCssBlank(char c);

/// The text without the CSS white space around it.
std::string_view TrimCssBlanks(std::string_view text);

/// A colour in whole-number HSL: hue 0..359 degrees, saturation and lightness 0..100 percent.
struct HslTriple {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;

    friend bool operator==(const HslTriple&, const HslTriple&) = default;
};

/// The sRGB colour of hue (degrees, any finite value; any other counts as 0), saturation and
/// lightness (percent, clamped to 0..100) as CSS converts it, each channel rounded to nearest.
ColorRGB HslToRgb(double hue, double saturation, double lightness);

/// The whole-number HSL of a colour: the nearest triple, or, when that one does not convert
/// back to the colour, the nearest triple that does (when there is one).
HslTriple RgbToHslTriple(const ColorRGB& color);

/// "rgb(r g b)" in the space-separated form of CSS Color 4.
std::string CssRgbText(const ColorRGB& color);

/// "hsl(h s% l%)" with the triple of RgbToHslTriple.
std::string CssHslText(const ColorRGB& color);

/// A CSS colour read from text: the colour, or what was not understood.
struct CssColorResult {
    std::optional<ColorRGB> color;
    std::string error;
};

/// Reads "#RGB", "#RRGGBB", six hexadecimal digits without "#", rgb()/rgba(), hsl()/hsla() in
/// the comma and the space syntax, or one of the 148 named colours (any case), with blanks
/// around; an alpha is accepted only when it is fully opaque. Any bytes give a result.
CssColorResult ParseCssColor(std::string_view text);

/// The colour of a CSS colour name in lower case, or nothing.
std::optional<ColorRGB> NamedCssColor(std::string_view lowerCaseName);

/// The number of CSS colour names known.
std::size_t NamedCssColorCount();

} // namespace tinsora
