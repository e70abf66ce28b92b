#pragma once

#include "gradient/Gradation.h"
#include "gradient/Uint128.h"
#include "html/OutputSink.h"
#include "html/OutputStyle.h"
#include "text/Error.h"

#include <string>
#include <string_view>

namespace tinsora {

/// What the gradient table page holds: the box texts as typed, the four corner colours, and
/// the form of the output.
struct GradientTableOptions : OutputOptions {
    std::string cols = "1";    ///< columns, read with TextToInt
    std::string rows = "1";    ///< rows, read with TextToInt
    std::string padding = "0"; ///< cellpadding
    std::string spacing = "0"; ///< cellspacing
    std::string width = "1";   ///< every cell's width
    std::string height = "1";  ///< every cell's height
    GradientColors colors =
        kInitialGradientColors; ///< top left, top right, bottom left, bottom right
    /// HTML5 + CSS only: one div whose background is the four-corner gradient, of the size
    /// the table takes (cells, padding and spacing), with the table's colours at the centres
    /// of its corner cells, instead of the table.
    bool cssGradient = false;
};

/// Writes the gradient table in the chosen style into sink, any size, reporting progress in
/// rows. Counts of zero or below give no rows or empty rows. Throws, before writing anything,
/// the TextToInt error for a bad count (columns first), and in the HTML5 + CSS style
/// CssLengthError for a box that holds no length.
void WriteGradientTable(const GradientTableOptions& options, OutputSink& sink);

/// The number of bytes WriteGradientTable writes, counted without building the table; the
/// same errors.
Uint128 GradientTableSize(const GradientTableOptions& options);

/// "CSS gradient にはセルの幅と高さが必要です": the CSS gradient's size needs both texts.
Error CssGradientSizeError();

/// "'%s' は CSS gradient に使えません (% は表の幅に対する割合です)": a percentage in a box, which
/// the div has no table to take of.
Error CssGradientPercentError(std::string_view length);

} // namespace tinsora
