#include "html/BodyTag.h"

namespace tinsora {

std::string MakeBodyTag(const BodyColors& colors) {
    static constexpr std::array<std::string_view, kBodyRoleCount> attributes{
        "BgColor=\"#", "Text=\"#", "Link=\"#", "Vlink=\"#", "Alink=\"#"};
    std::string tag;
    tag.reserve(6 + kBodyRoleCount * 18);
    tag += "<BODY ";
    for (std::size_t k = 0; k < colors.size(); ++k) {
        tag += attributes[k];
        AppendChannelHex(tag, colors[k].Red);
        AppendChannelHex(tag, colors[k].Green);
        AppendChannelHex(tag, colors[k].Blue);
        tag += k + 1 < colors.size() ? "\" " : "\">";
    }
    return tag;
}

} // namespace tinsora
