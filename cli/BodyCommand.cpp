#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "html/BodyTag.h"

#include <string>
#include <vector>

namespace tinsora::cli {

int RunBody(const std::vector<std::string>& args) {
    static constexpr std::array<const char*, kBodyRoleCount> options{
        "--bgcolor", "--text", "--link", "--vlink", "--alink"};
    BodyTagOptions o;
    o.lineEnd = std::string("\n");
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (TakeOutputOption(args, k, o, false))
            continue;
        std::size_t role = 0;
        while (role < options.size() && args[k] != options[role])
            ++role;
        if (role == options.size())
            throw UsageError("body: unknown option '" + args[k] + "'");
        o.colors[role] = RequireColor(args[k], TakeValue(args, k));
    }
    StdoutSink out;
    WriteBodyTag(o, out);
    // The classic tag is one line without a line end of its own.
    if (o.style == OutputStyle::Classic && !o.page)
        out.Write(o.lineEnd);
    out.Finish();
    return 0;
}

} // namespace tinsora::cli
