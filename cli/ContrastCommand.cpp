#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "color/Contrast.h"

#include <optional>
#include <string>
#include <vector>

namespace tinsora::cli {

std::string ContrastLevelsText(const Contrast& contrast, std::string_view separator) {
    const auto mark = [](bool met) { return met ? "pass" : "fail"; };
    return std::string("AA: ") + mark(contrast.aa) + std::string(separator) +
           "AAA: " + mark(contrast.aaa) + std::string(separator) +
           "AA large: " + mark(contrast.aaLarge);
}

ContrastArgs ParseContrastArgs(const std::vector<std::string>& args) {
    std::vector<std::string> colors;
    for (const std::string& a : args) {
        // "-" starts an option, but a negative number is no colour either.
        if (a.size() > 1 && a.front() == '-')
            throw UsageError("contrast: unknown option " + QuotedInMessage(a));
        colors.push_back(a);
    }
    if (colors.size() != 2)
        throw UsageError("contrast needs FOREGROUND and BACKGROUND");
    ContrastArgs parsed;
    parsed.foreground = RequireColor("FOREGROUND", colors[0]);
    parsed.background = RequireColor("BACKGROUND", colors[1]);
    return parsed;
}

int RunContrast(const std::vector<std::string>& args) {
    const ContrastArgs a = ParseContrastArgs(args);
    const Contrast c = ContrastOf(a.foreground, a.background);
    WriteOut(ContrastRatioText(c) + "\n" + ContrastLevelsText(c, "\n") + "\n");
    return 0;
}

} // namespace tinsora::cli
