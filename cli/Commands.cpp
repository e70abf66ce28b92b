#include "cli/Commands.h"

namespace tinsora::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands{
        {"color", "color [--type hex|rgb|vb|cb|css-rgb|css-hsl] [--no-sharp] COLOR", ColorCommand},
        {"body",
         "body [--bgcolor C] [--text C] [--link C] [--vlink C] [--alink C] [--check]\n"
         "       [--style classic|html5] [--css inline|classes] [--page] [--crlf]",
         RunBody},
        {"table",
         "table [--cols N] [--rows N] [--padding TEXT] [--spacing TEXT] [--width TEXT]\n"
         "        [--height TEXT] [--colors C1,C2,C3,C4] [--style classic|html5]\n"
         "        [--css inline|classes] [--css-gradient] [--page] [--joined] [--crlf]",
         RunTable},
        {"text",
         "text [--colors C1,C2,C3,C4] [--count TEXT] [--bold] [--italic] [--underline] [--strike]\n"
         "       [--tt] [--blink] [--sup | --sub] [--scope char|string] [--size TEXT]\n"
         "       [--marquee left|right] [--behavior scroll|slide|alternate]\n"
         "       [--style classic|html5] [--css inline|classes] [--css-gradient]\n"
         "       [--check [--background C]] [--page] [--joined] [--crlf]\n"
         "       [--encoding utf-8|cp932] [--max-input BYTES] [--] (TEXT | --file PATH)",
         TextCommand},
        {"contrast", "contrast FOREGROUND BACKGROUND", RunContrast},
    };
    return commands;
}

} // namespace tinsora::cli
