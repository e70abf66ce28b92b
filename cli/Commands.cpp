#include "cli/Commands.h"

namespace tinsora::cli {

// Commands are added here as the generators arrive.
const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands{};
    return commands;
}

} // namespace tinsora::cli
