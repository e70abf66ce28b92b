#pragma once

#include "color/User.h"

#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The names a template list shows: lines 0, 2, 4, ... up to the first name
/// line that is exactly "end;" or the end of the lines.
std::vector<std::string> TemplateNames(const std::vector<std::string>& lines);

/// The colour line of template k (line 2k + 1); throws ListIndexError(2k + 1)
/// when the lines end before it.
const std::string& TemplateColorLine(const std::vector<std::string>& lines, std::size_t k);

/// Reads a colour line RRGGBB: three pieces of two characters, each read with
/// HexPairToChannel; missing characters count as 0, extra ones are ignored.
ColorRGB TemplateColor(std::string_view line);

} // namespace tinsora
