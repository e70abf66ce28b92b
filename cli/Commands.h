#pragma once

#include "color/Notation.h"
#include "color/User.h"
#include "html/BodyTag.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "text/TextFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {
struct Contrast;
}

namespace tinsora::cli {

// Each command takes the arguments after its name, writes its output, and
// returns the exit status: 0 done, 1 an error of the program, 2 a usage error
// (it throws UsageError for those and main reports them). A command first turns
// its arguments into its options with its Parse function, which reads no file,
// writes nothing and throws UsageError only; then it runs on those options.
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
    const char* name;
    const char* synopsis;
    CommandFunction run;
};

/// The commands main dispatches to, in the order the help lists them.
const std::vector<Command>& AllCommands();

/// What the arguments of color ask for.
struct ColorArgs {
    ColType type = ctHex;
    bool sharp = true;
    ColorRGB color;
};

/// The arguments of color, or a UsageError.
ColorArgs ParseColorArgs(const std::vector<std::string>& args);
/// color [--type hex|rgb|vb|cb|css-rgb|css-hsl] [--no-sharp] COLOR: the colour in a notation.
int ColorCommand(const std::vector<std::string>& args);

/// What the arguments of body ask for.
struct BodyArgs {
    BodyTagOptions options;
    bool check = false; ///< --check: the contrast of each colour against bgcolor as well
};

/// The arguments of body, or a UsageError.
BodyArgs ParseBodyArgs(const std::vector<std::string>& args);
/// tinsora-cli body: the BODY tag.
int RunBody(const std::vector<std::string>& args);

/// The arguments of table, or a UsageError; the counts and lengths are read when it runs.
GradientTableOptions ParseTableArgs(const std::vector<std::string>& args);
/// tinsora-cli table: a gradient table.
int RunTable(const std::vector<std::string>& args);

/// What the arguments of text ask for; the file, when options.source is File, is read when
/// it runs.
struct TextArgs {
    GradientTextOptions options;
    bool check = false;                 ///< --check: the lowest contrast against background
    ColorRGB background{255, 255, 255}; ///< --background
    std::string fileName;
    std::uint64_t maxInput = kDefaultReadLimit; ///< the most bytes of the file read
};

/// The arguments of text, or a UsageError; the size and count texts are read when it runs.
TextArgs ParseTextArgs(const std::vector<std::string>& args);
/// tinsora-cli text: gradient text from a typed string or a text file.
int TextCommand(const std::vector<std::string>& args);

/// What the arguments of contrast ask for.
struct ContrastArgs {
    ColorRGB foreground;
    ColorRGB background;
};

/// The arguments of contrast, or a UsageError.
ContrastArgs ParseContrastArgs(const std::vector<std::string>& args);
/// contrast FOREGROUND BACKGROUND: the WCAG contrast ratio and the levels it meets.
int RunContrast(const std::vector<std::string>& args);
/// The three levels as "AA: pass", "AAA: fail", "AA large: pass", joined by separator.
std::string ContrastLevelsText(const Contrast& contrast, std::string_view separator);

} // namespace tinsora::cli
