#pragma once

#include "gradient/Gradation.h"
#include "html/HtmlLines.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tinsora {

/// What the gradient table page holds: the box texts as typed, the four corner
/// colours and the pane's line mode ("整形").
struct GradientTableOptions {
    std::string cols = "1";    ///< columns, read with TextToInt
    std::string rows = "1";    ///< rows, read with TextToInt
    std::string padding = "0"; ///< cellpadding, copied as typed
    std::string spacing = "0"; ///< cellspacing, copied as typed
    std::string width = "1";   ///< every cell's width, copied as typed
    std::string height = "1";  ///< every cell's height, copied as typed
    GradientColors colors =
        kInitialGradientColors; ///< top left, top right, bottom left, bottom right
    bool lineMode = true;       ///< indented entries, each becoming a line of the pane
};

/// Bytes of the table's text in the pane (line mode: every entry followed by CR LF;
/// joined: the entries alone), computed without building it; UINT64_MAX when larger.
/// Throws the TextToInt error for a bad count.
std::uint64_t GradientTableOutputSize(const GradientTableOptions& options);

/// The gradient table's entries, one per line. Counts of zero or below give no
/// rows or empty rows. Throws the TextToInt error for a bad count (columns first)
/// and OutputTooLargeError, before building anything, when the pane's text would
/// pass kMaxOutputBytes.
HtmlLines MakeGradientTable(const GradientTableOptions& options);

/// The same table as text, every entry followed by lineEnd (entries joined when it
/// is empty), handed to write in pieces as it is built instead of held whole; the
/// same errors as MakeGradientTable, raised before anything is written.
void WriteGradientTable(const GradientTableOptions& options, std::string_view lineEnd,
                        const std::function<void(std::string_view)>& write);

} // namespace tinsora
