#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "html/GradientTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace tinsora::cli {

GradientTableOptions ParseTableArgs(const std::vector<std::string>& args) {
    GradientTableOptions options;
    options.lineEnd = std::string("\n");
    options.language = OutputLanguageOfLocale();
    OutputOptionsSeen seen;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (TakeOutputOption(args, k, options, true, &seen))
            continue;
        if (a == "--cols")
            options.cols = TakeValue(args, k);
        else if (a == "--rows")
            options.rows = TakeValue(args, k);
        else if (a == "--padding")
            options.padding = TakeValue(args, k);
        else if (a == "--spacing")
            options.spacing = TakeValue(args, k);
        else if (a == "--width")
            options.width = TakeValue(args, k);
        else if (a == "--height")
            options.height = TakeValue(args, k);
        else if (a == "--colors")
            options.colors = ParseColors("--colors", TakeValue(args, k));
        else if (a == "--css-gradient")
            options.cssGradient = true;
        else
            throw UsageError("table: unknown option " + QuotedInMessage(a));
    }
    CheckOutputOptions(options, seen, options.cssGradient ? "--css-gradient" : nullptr);
    return options;
}

int RunTable(const std::vector<std::string>& args) {
    const GradientTableOptions options = ParseTableArgs(args);
    StdoutSink out;
    WriteGradientTable(options, out);
    if (!options.lineMode && !options.page)
        out.Write(options.lineEnd);
    out.Finish();
    return 0;
}

} // namespace tinsora::cli
