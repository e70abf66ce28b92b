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

int RunContrast(const std::vector<std::string>& args) {
    std::vector<std::string> colors;
    for (const std::string& a : args) {
        // "-" starts an option, but a negative number is no colour either.
        if (a.size() > 1 && a.front() == '-')
            throw UsageError("contrast: unknown option '" + a + "'");
        colors.push_back(a);
    }
    if (colors.size() != 2)
        throw UsageError("contrast needs FOREGROUND and BACKGROUND");
    const ColorRGB foreground = RequireColor("FOREGROUND", colors[0]);
    const ColorRGB background = RequireColor("BACKGROUND", colors[1]);
    const Contrast c = ContrastOf(foreground, background);
    WriteOut(ContrastRatioText(c) + "\n" + ContrastLevelsText(c, "\n") + "\n");
    return 0;
}

} // namespace tinsora::cli
