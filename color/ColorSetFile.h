#pragma once

#include "color/User.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The bytes of a colour set file: red, green and blue in decimal, each line ended by CR LF.
std::string ColorSetFileBytes(const ColorRGB& color);

/// The longest line a channel may be written in, blanks and zeros in front
/// included; a longer line is not an integer.
inline constexpr std::size_t kColorSetFileLineLimit = 256;

/// The most bytes of a colour set file worth reading: three lines of the
/// longest kind with their line ends. A line that a read of this many bytes
/// cuts off before the third line ends is too long anyway: reading no further
/// changes what a load does, only how much of such a line its message shows.
inline constexpr std::size_t kColorSetFileReadLimit = 3 * (kColorSetFileLineLimit + 2);

/// The lines of a colour set file as read (CR LF, LF or CR; a zero byte ends the text).
std::vector<std::string> ColorSetFileLines(std::string_view bytes);

/// Channel k (0 red, 1 green, 2 blue) of the lines, unclamped; throws
/// ListIndexError(k) when line k is missing and NotAnIntegerError, with the
/// line decoded from code page 932, for a bad or too long line.
std::int32_t ColorSetFileChannel(const std::vector<std::string>& lines, int k);

/// Reads a colour set file channel by channel, red, green, blue: each channel,
/// clamped into 0..255, goes to set before the next line is looked at, so the
/// first error a channel meets comes after the channels before it were set.
void ReadColorSetFile(std::string_view bytes,
                      const std::function<void(int channel, std::int32_t value)>& set);

} // namespace tinsora
