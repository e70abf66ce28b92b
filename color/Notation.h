#pragma once

#include <string>

namespace tinsora {

/// The notations a colour is shown and copied in.
enum ColType { ctHex = 0, ctRGB = 1, ctVB = 2, ctCB = 3, ctCssRgb = 4, ctCssHsl = 5 };

/// The number of notations.
inline constexpr int kColTypeCount = 6;

/// The notation text of a colour (channels 0..255): "#RRGGBB" ("#" only when
/// sharp), "RGB(r,g,b)", "&H00BBGGRR&", "0x00BBGGRR", "rgb(r g b)" or
/// "hsl(h s% l%)"; empty for any other type.
std::string FormatColorText(int type, int red, int green, int blue, bool sharp);

/// The main window's caption for a colour in a notation; empty for any other type.
std::string CaptionText(int type, int red, int green, int blue, bool sharp);

} // namespace tinsora
