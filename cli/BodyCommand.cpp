#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "color/Contrast.h"
#include "html/BodyTag.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tinsora::cli {

BodyArgs ParseBodyArgs(const std::vector<std::string>& args) {
    static constexpr std::array<const char*, kBodyRoleCount> options{
        "--bgcolor", "--text", "--link", "--vlink", "--alink"};
    BodyArgs parsed;
    BodyTagOptions& o = parsed.options;
    o.lineEnd = std::string("\n");
    o.language = OutputLanguageOfLocale();
    bool& check = parsed.check;
    OutputOptionsSeen seen;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (TakeOutputOption(args, k, o, false, &seen))
            continue;
        if (args[k] == "--check") {
            check = true;
            continue;
        }
        std::size_t role = 0;
        while (role < options.size() && args[k] != options[role])
            ++role;
        if (role == options.size())
            throw UsageError("body: unknown option " + QuotedInMessage(args[k]));
        const std::string value = TakeValue(args, k);
        o.colors[role] = RequireColor(options[role], value);
    }
    CheckOutputOptions(o, seen);
    return parsed;
}

int RunBody(const std::vector<std::string>& args) {
    const BodyArgs parsed = ParseBodyArgs(args);
    const BodyTagOptions& o = parsed.options;
    StdoutSink out;
    WriteBodyTag(o, out);
    // The classic tag is one line without a line end of its own.
    if (o.style == OutputStyle::Classic && !o.page)
        out.Write(o.lineEnd);
    out.Finish();
    if (!parsed.check)
        return 0;

    // Each colour against the background, in the order of the tag.
    static constexpr std::array<const char*, kBodyRoleCount> names{"bgcolor", "text", "link",
                                                                   "vlink", "alink"};
    const BodyColors& colors = o.colors;
    const ColorRGB background = colors[static_cast<std::size_t>(BodyRole::Bgcolor)];
    std::string report;
    std::string failing;
    for (std::size_t role = 1; role < colors.size(); ++role) {
        const Contrast c = ContrastOf(colors[role], background);
        report += std::string(names[role]) + ": " + ContrastRatioText(c) + " (" +
                  ContrastLevelsText(c, ", ") + ")" + o.lineEnd;
        if (!c.aa)
            failing += (failing.empty() ? "" : ", ") + std::string(names[role]);
    }
    WriteOut(report);
    if (failing.empty())
        return 0;
    std::fprintf(stderr, "tinsora-cli: below AA (4.5:1) against bgcolor: %s\n", failing.c_str());
    return 1;
}

} // namespace tinsora::cli
