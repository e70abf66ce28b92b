#include "html/GradientTable.h"

#include "color/User.h"
#include "html/GradientWalk.h"
#include "html/HtmlOutput.h"
#include "html/Markup.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace tinsora {

namespace {

struct Counts {
    std::int32_t cols = 0;     // as typed
    std::int32_t rows = 0;     // as typed
    std::uint64_t rowsOut = 0; // rows written
    std::uint64_t colsOut = 0; // cells in each written row
};

Counts ParseCounts(const GradientTableOptions& o) {
    Counts c;
    c.cols = TextToInt(o.cols);
    c.rows = TextToInt(o.rows);
    c.rowsOut = c.rows > 0 ? static_cast<std::uint64_t>(c.rows) : 0;
    c.colsOut = c.rows > 0 && c.cols > 0 ? static_cast<std::uint64_t>(c.cols) : 0;
    // HTML has no row without a cell; the classic markup keeps its empty rows.
    if (o.style == OutputStyle::Html5 && c.colsOut == 0)
        c.rowsOut = 0;
    return c;
}

TableMarkup MarkupFor(const GradientTableOptions& o) {
    return o.style == OutputStyle::Html5 ? Html5TableMarkup(o) : ClassicTableMarkup(o);
}

void WriteRows(const TableMarkup& m, const Counts& counts, const GradientColors& c,
               OutputBuffer& out) {
    out.Append(m.open);
    // The cell is copied as one block of a fixed size when it fits in one, which the
    // compiler does without a call; only its own bytes are kept.
    constexpr std::size_t kCellBlock = 64;
    const std::size_t cellSize = m.cell.size();
    const std::size_t copySize = std::max(cellSize, kCellBlock);
    std::string cell = m.cell;
    cell.resize(copySize);
    const std::int32_t edge = (counts.rows == 1 || counts.cols == 1) ? 0 : 1;
    // Only counts that are written are stepped through; a count of -2147483648
    // less the edge would not fit.
    const std::int32_t rowDivisor = counts.rowsOut > 0 ? counts.rows - edge : 0;
    const std::int32_t colDivisor = counts.colsOut > 0 ? counts.cols - edge : 0;
    for (std::uint64_t r = 0; r < counts.rowsOut; ++r) {
        const auto row = static_cast<std::int32_t>(r);
        const auto edgeChannel = [&](std::int32_t from, std::int32_t to) {
            return static_cast<std::int32_t>(GradientStep(from, to, rowDivisor, row));
        };
        const ColorRGB left{edgeChannel(c[0].Red, c[2].Red), edgeChannel(c[0].Green, c[2].Green),
                            edgeChannel(c[0].Blue, c[2].Blue)};
        const ColorRGB right{edgeChannel(c[1].Red, c[3].Red), edgeChannel(c[1].Green, c[3].Green),
                             edgeChannel(c[1].Blue, c[3].Blue)};
        out.Append(m.rowOpen);
        if (counts.colsOut > 0) {
            StepWalk red(left.Red, right.Red, colDivisor);
            StepWalk green(left.Green, right.Green, colDivisor);
            StepWalk blue(left.Blue, right.Blue, colDivisor);
            for (std::uint64_t x = 0; x < counts.colsOut; ++x) {
                // The colour goes into the copy, not into the cell: the cell is then
                // only ever read, and its next copy need not wait for a write.
                char* p = out.Room(copySize);
                if (copySize == kCellBlock)
                    std::memcpy(p, cell.data(), kCellBlock);
                else
                    std::memcpy(p, cell.data(), copySize);
                WriteHexColor(p + m.hexAt, ColorRGB{red.Value(), green.Value(), blue.Value()});
                out.Commit(p + cellSize);
                red.Next();
                green.Next();
                blue.Next();
            }
        }
        out.Append(m.rowClose);
        out.Progress(r + 1, counts.rowsOut);
    }
    out.Append(m.close);
}

} // namespace

Error CssGradientSizeError() {
    return Error("CSS gradient にはセルの幅と高さが必要です");
}

void WriteGradientTable(const GradientTableOptions& options, OutputSink& sink) {
    const Counts counts = ParseCounts(options);
    OutputBuffer out(sink);
    OutputFrame frame(out, options);
    if (options.style == OutputStyle::Html5 && options.cssGradient) {
        const std::vector<std::string> entries =
            Html5CssGradient(options, counts.cols, counts.rows);
        frame.Begin({});
        for (const std::string& entry : entries)
            frame.Entry(entry);
    } else {
        const TableMarkup markup = MarkupFor(options);
        frame.Begin({});
        WriteRows(markup, counts, options.colors, out);
    }
    frame.End();
    out.Flush();
}

Uint128 GradientTableSize(const GradientTableOptions& options) {
    const Counts counts = ParseCounts(options);
    if (options.style == OutputStyle::Html5 && options.cssGradient) {
        StringSink sink;
        WriteGradientTable(options, sink);
        return Uint128{0, sink.Text().size()};
    }
    const TableMarkup m = MarkupFor(options);
    // The frame around the rows, measured on a table of no rows.
    GradientTableOptions none = options;
    none.rows.assign(1, '0');
    StringSink frame;
    WriteGradientTable(none, frame);
    const std::uint64_t perRow = m.rowOpen.size() + m.rowClose.size();
    const std::uint64_t cells = counts.rowsOut * counts.colsOut; // below 2^62
    return Add(Add(Uint128{0, frame.Text().size()}, Multiply(counts.rowsOut, perRow)),
               Multiply(cells, m.cell.size()));
}

} // namespace tinsora
