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

void ReadColorSetFile(std::string_view bytes,
                      const std::function<void(int channel, std::int32_t value)>& set) {
    const auto lines = ColorSetFileLines(bytes);
    for (int k = 0; k < 3; ++k)
        set(k, ClampChannel(ColorSetFileChannel(lines, k)));
}

} // namespace tinsora
