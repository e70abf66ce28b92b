#include "cli/Commands.h"

namespace tinsora::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands{
        {"color", "color [--type hex|rgb|vb|cb] [--no-sharp] COLOR", ColorCommand},
        {"body", "body [--bgcolor C] [--text C] [--link C] [--vlink C] [--alink C]", RunBody},
        {"table",
         "table [--cols N] [--rows N] [--padding TEXT] [--spacing TEXT] [--width TEXT]\n"
         "        [--height TEXT] [--colors C1,C2,C3,C4] [--joined] [--crlf]",
         RunTable},
    };
    return commands;
}

} // namespace tinsora::cli
