#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "color/Notation.h"

#include <optional>
#include <string>
#include <vector>

namespace tinsora::cli {

namespace {

ColType ParseType(const std::string& value) {
    if (value == "hex")
        return ctHex;
    if (value == "rgb")
        return ctRGB;
    if (value == "vb")
        return ctVB;
    if (value == "cb")
        return ctCB;
    throw UsageError("--type: '" + value + "' is not one of hex, rgb, vb, cb");
}

} // namespace

int ColorCommand(const std::vector<std::string>& args) {
    ColType type = ctHex;
    bool sharp = true;
    std::optional<std::string> colorText;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--type")
            type = ParseType(TakeValue(args, k));
        else if (arg == "--no-sharp")
            sharp = false;
        else if (arg.size() > 1 && arg.front() == '-')
            throw UsageError("unknown option '" + arg + "'");
        else if (colorText)
            throw UsageError("only one COLOR may be given");
        else
            colorText = arg;
    }
    if (!colorText)
        throw UsageError("color needs a COLOR");
    const ColorRGB c = RequireColor("COLOR", *colorText);
    WriteOut(FormatColorText(type, c.Red, c.Green, c.Blue, sharp) + "\n");
    return 0;
}

} // namespace tinsora::cli
