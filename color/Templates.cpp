#include "color/Templates.h"

#include "text/Error.h"

namespace tinsora {

std::vector<std::string> TemplateNames(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines.size() && lines[i] != "end;"; i += 2)
        names.push_back(lines[i]);
    return names;
}

const std::string& TemplateColorLine(const std::vector<std::string>& lines, std::size_t k) {
    const std::size_t index = 2 * k + 1;
    if (index >= lines.size())
        throw ListIndexError(static_cast<long long>(index));
    return lines[index];
}

ColorRGB TemplateColor(std::string_view line) {
    const auto piece = [&](std::size_t at) {
        return at < line.size() ? line.substr(at, 2) : std::string_view{};
    };
    return ColorRGB{HexPairToChannel(piece(0)), HexPairToChannel(piece(2)),
                    HexPairToChannel(piece(4))};
}

} // namespace tinsora
