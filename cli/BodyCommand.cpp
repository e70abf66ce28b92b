#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "html/BodyTag.h"

#include <string>
#include <vector>

namespace tinsora::cli {

int RunBody(const std::vector<std::string>& args) {
    static constexpr std::array<const char*, kBodyRoleCount> options{
        "--bgcolor", "--text", "--link", "--vlink", "--alink"};
    BodyColors colors = kInitialBodyColors;
    for (std::size_t k = 0; k < args.size(); ++k) {
        std::size_t role = 0;
        while (role < options.size() && args[k] != options[role])
            ++role;
        if (role == options.size())
            throw UsageError("body: unknown option '" + args[k] + "'");
        colors[role] = RequireColor(args[k], TakeValue(args, k));
    }
    WriteOut(MakeBodyTag(colors) + "\n");
    return 0;
}

} // namespace tinsora::cli
