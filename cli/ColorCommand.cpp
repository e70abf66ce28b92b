#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "color/Notation.h"

#include <optional>
#include <string>
#include <vector>

namespace tinsora::cli {

ColorArgs ParseColorArgs(const std::vector<std::string>& args) {
    ColorArgs parsed;
    ColType& type = parsed.type;
    bool& sharp = parsed.sharp;
    std::optional<std::string> colorText;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--type")
            type = Choose<ColType>(arg, TakeValue(args, k),
                                   {{"hex", ctHex},
                                    {"rgb", ctRGB},
                                    {"vb", ctVB},
                                    {"cb", ctCB},
                                    {"css-rgb", ctCssRgb},
                                    {"css-hsl", ctCssHsl}});
        else if (arg == "--no-sharp")
            sharp = false;
        else if (arg.size() > 1 && arg.front() == '-')
            throw UsageError("unknown option " + QuotedInMessage(arg));
        else if (colorText)
            throw UsageError("only one COLOR may be given");
        else
            colorText = arg;
    }
    if (!colorText)
        throw UsageError("color needs a COLOR");
    parsed.color = RequireColor("COLOR", *colorText);
    return parsed;
}

int ColorCommand(const std::vector<std::string>& args) {
    const ColorArgs a = ParseColorArgs(args);
    WriteOut(FormatColorText(a.type, a.color.Red, a.color.Green, a.color.Blue, a.sharp) + "\n");
    return 0;
}

} // namespace tinsora::cli
