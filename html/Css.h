#pragma once

#include "text/Error.h"

#include <optional>
#include <string>
#include <string_view>

namespace tinsora {

/// "'%s' は CSS の長さとして使えません": a box's text that the HTML5 + CSS style cannot write as a
/// length.
Error CssLengthError(std::string_view text);

/// A length typed into a table box, as CSS: a number means pixels ("12" gives "12px"), a number
/// with a CSS unit or "%" is kept as typed ("50%", "2em"), blanks around it are dropped and an
/// empty text gives nothing (no property, as an empty attribute gives none). Anything else
/// (a sign, a quote, a second value) throws CssLengthError.
std::optional<std::string> CssLength(std::string_view text);

/// The legacy font size 1..7 that a Size attribute holding text gives by the HTML standard's
/// rules (blanks skipped, "+n" and "-n" relative to 3, clamped); nothing when it has no digits.
std::optional<int> LegacyFontSize(std::string_view text);

/// The CSS font-size keyword of a legacy font size 1..7 ("x-small" .. "xxx-large").
std::string_view FontSizeKeyword(int size);

} // namespace tinsora
