#include "cli/Commands.h"

namespace tinsora::cli {

// Commands are added here as the generators arrive.
const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands{
        {"text",
         "text [--colors C1,C2,C3,C4] [--count TEXT] [--bold] [--italic] [--underline] [--strike]\n"
         "       [--tt] [--blink] [--sup | --sub] [--scope char|string] [--size TEXT]\n"
         "       [--marquee left|right] [--behavior scroll|slide|alternate] [--joined] [--crlf]\n"
         "       [--encoding utf-8|cp932] [--] (TEXT | --file PATH)",
         TextCommand},
    };
    return commands;
}

} // namespace tinsora::cli
