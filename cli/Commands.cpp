#include "cli/Commands.h"

namespace tinsora::cli {

// Commands are added here as the generators arrive.
const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands{
        {"color", "color [--type hex|rgb|vb|cb] [--no-sharp] COLOR", ColorCommand},
    };
    return commands;
}

} // namespace tinsora::cli
