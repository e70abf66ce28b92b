#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "html/GradientTable.h"
#include "text/Error.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora::cli {

int RunTable(const std::vector<std::string>& args) {
    GradientTableOptions options;
    bool crlf = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
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
        else if (a == "--joined")
            options.lineMode = false;
        else if (a == "--crlf")
            crlf = true;
        else
            throw UsageError("table: unknown option '" + a + "'");
    }
    const std::string_view lineEnd = crlf ? "\r\n" : "\n";
    WriteGradientTable(options, options.lineMode ? lineEnd : std::string_view(),
                       [](std::string_view piece) {
                           if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
                               throw WriteError();
                       });
    WriteOut(options.lineMode ? std::string_view() : lineEnd);
    return 0;
}

} // namespace tinsora::cli
