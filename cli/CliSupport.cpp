#include "cli/CliSupport.h"

#include "color/CssColor.h"
#include "text/Error.h"

#include <cstdio>

namespace tinsora::cli {

std::optional<ColorRGB> ParseColor(std::string_view text) {
    return ParseCssColor(text).color;
}

ColorRGB RequireColor(std::string_view option, std::string_view text) {
    const CssColorResult r = ParseCssColor(text);
    if (r.color)
        return *r.color;
    const std::string quoted = "'" + std::string(text) + "'";
    if (r.error.find(quoted) != std::string::npos)
        throw UsageError(std::string(option) + ": " + r.error);
    throw UsageError(std::string(option) + ": " + quoted + " is not a colour: " + r.error);
}

GradientColors ParseColors(std::string_view option, std::string_view list) {
    std::vector<std::string_view> items;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t k = 0; k <= list.size(); ++k) {
        const char c = k < list.size() ? list[k] : ',';
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (c == ',' && (depth == 0 || k == list.size())) {
            items.push_back(list.substr(start, k - start));
            start = k + 1;
        }
    }
    GradientColors colors{};
    if (items.size() != colors.size())
        throw UsageError(std::string(option) + " needs four colours separated by commas, not " +
                         std::to_string(items.size()));
    for (std::size_t k = 0; k < colors.size(); ++k)
        colors[k] = RequireColor(option, items[k]);
    return colors;
}

void WriteOut(std::string_view bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        throw WriteError();
    if (std::fflush(stdout) != 0)
        throw WriteError();
}

std::string TakeValue(const std::vector<std::string>& args, std::size_t& k) {
    if (k + 1 >= args.size())
        throw UsageError(args[k] + " needs a value");
    return args[++k];
}

} // namespace tinsora::cli
