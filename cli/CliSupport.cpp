#include "cli/CliSupport.h"

#include "text/Error.h"

#include <cstdio>

namespace tinsora::cli {

std::optional<ColorRGB> ParseColor(std::string_view text) {
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 6)
        return std::nullopt;
    for (const char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex)
            return std::nullopt;
    }
    return ColorRGB{HexPairToChannel(text.substr(0, 2)), HexPairToChannel(text.substr(2, 2)),
                    HexPairToChannel(text.substr(4, 2))};
}

ColorRGB RequireColor(std::string_view option, std::string_view text) {
    if (auto c = ParseColor(text))
        return *c;
    throw UsageError(std::string(option) + ": '" + std::string(text) +
                     "' is not a colour (six hexadecimal digits, \"#\" optional)");
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
