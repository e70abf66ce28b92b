#pragma once

#include "color/User.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The bytes of a colour set file: red, green and blue in decimal, each line ended by CR LF.
std::string ColorSetFileBytes(const ColorRGB& color);

/// The lines of a colour set file as read (CR LF, LF or CR; a zero byte ends the text).
std::vector<std::string> ColorSetFileLines(std::string_view bytes);

/// Channel k (0 red, 1 green, 2 blue) of the lines, unclamped; throws
/// ListIndexError(k) when line k is missing and NotAnIntegerError for a bad line.
std::int32_t ColorSetFileChannel(const std::vector<std::string>& lines, int k);

/// The colour a colour set file holds, each channel clamped into 0..255;
/// throws the first error a channel meets, in the order red, green, blue.
ColorRGB ReadColorSetFile(std::string_view bytes);

} // namespace tinsora
