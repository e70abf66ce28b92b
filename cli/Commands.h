#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tinsora {
struct Contrast;
}

namespace tinsora::cli {

// Each command takes the arguments after its name, writes its output, and
// returns the exit status: 0 done, 1 an error of the program, 2 a usage error
// (it throws UsageError for those and main reports them).
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
    const char* name;
    const char* synopsis;
    CommandFunction run;
};

/// tinsora-cli body: the BODY tag.
int RunBody(const std::vector<std::string>& args);
/// tinsora-cli table: a gradient table.
int RunTable(const std::vector<std::string>& args);

/// The commands main dispatches to, in the order the help lists them.
const std::vector<Command>& AllCommands();

/// color [--type hex|rgb|vb|cb|css-rgb|css-hsl] [--no-sharp] COLOR: the colour in a notation.
int ColorCommand(const std::vector<std::string>& args);
/// tinsora-cli text: gradient text from a typed string or a text file.
int TextCommand(const std::vector<std::string>& args);

/// contrast FOREGROUND BACKGROUND: the WCAG contrast ratio and the levels it meets.
int RunContrast(const std::vector<std::string>& args);
/// The three levels as "AA: pass", "AAA: fail", "AA large: pass", joined by separator.
std::string ContrastLevelsText(const Contrast& contrast, std::string_view separator);

} // namespace tinsora::cli
