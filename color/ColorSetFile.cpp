#include "color/ColorSetFile.h"

#include "text/Cp932.h"
#include "text/Error.h"
#include "text/TextFile.h"

namespace tinsora {

std::string ColorSetFileBytes(const ColorRGB& color) {
    std::string bytes;
    bytes.reserve(15);
    for (const std::int32_t channel : {color.Red, color.Green, color.Blue}) {
        bytes += ChannelToDecimal(channel);
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::string> ColorSetFileLines(std::string_view bytes) {
    return SplitLines(bytes);
}

std::int32_t ColorSetFileChannel(const std::vector<std::string>& lines, int k) {
    if (k < 0 || static_cast<std::size_t>(k) >= lines.size())
        throw ListIndexError(k);
    const std::string& line = lines[static_cast<std::size_t>(k)];
    try {
        if (line.size() <= kColorSetFileLineLimit)
            return TextToInt(line);
    } catch (const Error&) {
        // reported below with the line as the user sees it
    }
    throw NotAnIntegerError(Cp932ToUtf8(line));
}

ColorRGB ReadColorSetFile(std::string_view bytes) {
    const auto lines = ColorSetFileLines(bytes);
    ColorRGB color;
    color.Red = ClampChannel(ColorSetFileChannel(lines, 0));
    color.Green = ClampChannel(ColorSetFileChannel(lines, 1));
    color.Blue = ClampChannel(ColorSetFileChannel(lines, 2));
    return color;
}

} // namespace tinsora
