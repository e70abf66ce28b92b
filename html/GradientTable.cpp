#include "html/GradientTable.h"

#include "color/User.h"
#include "html/GradientWalk.h"
#include "html/HtmlOutput.h"
#include "html/Markup.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
    c.colsOut = c.rows > 0 && c.cols > 0 ? static_cast<std::uint64_t>(c.cols) : 0;
    c.rowsOut = c.rows > 0 ? static_cast<std::uint64_t>(c.rows) : 0;
    // A row without cells is no row in HTML5: the table then has none.
    if (o.style == OutputStyle::Html5 && c.colsOut == 0)
        c.rowsOut = 0;
    return c;
}

TableMarkup MarkupFor(const GradientTableOptions& o) {
    return o.style == OutputStyle::Html5 ? Html5TableMarkup(o) : ClassicTableMarkup(o);
}

// The divisors of the table's gradients: both counts less one, or the counts themselves when
// either is 1, so that a single row or column stops short of the far corner colours.
struct Divisors {
    std::int32_t row = 0;
    std::int32_t col = 0;
};

Divisors DivisorsOf(const Counts& counts) {
    const std::int32_t edge = (counts.rows == 1 || counts.cols == 1) ? 0 : 1;
    // Only counts that are written are stepped through; a count of -2147483648
    // less the edge would not fit.
    return {counts.rowsOut > 0 ? counts.rows - edge : 0,
            counts.colsOut > 0 ? counts.cols - edge : 0};
}

// The colours at the left and right ends of row r.
std::pair<ColorRGB, ColorRGB> RowEdges(const GradientColors& c, std::int32_t divisor,
                                       std::int32_t r) {
    const auto edgeChannel = [&](std::int32_t from, std::int32_t to) {
        return static_cast<std::int32_t>(GradientStep(from, to, divisor, r));
    };
    return {ColorRGB{edgeChannel(c[0].Red, c[2].Red), edgeChannel(c[0].Green, c[2].Green),
                     edgeChannel(c[0].Blue, c[2].Blue)},
            ColorRGB{edgeChannel(c[1].Red, c[3].Red), edgeChannel(c[1].Green, c[3].Green),
                     edgeChannel(c[1].Blue, c[3].Blue)}};
}

// Calls visit.Row(r, left, right) before the cells of row r, with the row's edge colours;
// when it returns true, visit.Cell(colour) for each of its cells; then visit.RowEnd(r).
template <typename Visit>
void WalkTable(const Counts& counts, const GradientColors& c, Visit& visit) {
    const Divisors d = DivisorsOf(counts);
    for (std::uint64_t r = 0; r < counts.rowsOut; ++r) {
        const auto [left, right] = RowEdges(c, d.row, static_cast<std::int32_t>(r));
        if (visit.Row(r, left, right) && counts.colsOut > 0) {
            StepWalk red(left.Red, right.Red, d.col);
            StepWalk green(left.Green, right.Green, d.col);
            StepWalk blue(left.Blue, right.Blue, d.col);
            for (std::uint64_t x = 0; x < counts.colsOut; ++x) {
                visit.Cell(ColorRGB{red.Value(), green.Value(), blue.Value()});
                red.Next();
                green.Next();
                blue.Next();
            }
        }
        visit.RowEnd(r);
    }
}

// The colour of cell (r, x) by the table's rule, also of a cell one past the last.
ColorRGB CellColor(const Counts& counts, const GradientColors& c, std::int32_t r, std::int32_t x) {
    const Divisors d = DivisorsOf(counts);
    const auto [left, right] = RowEdges(c, d.row, r);
    const auto step = [&](std::int32_t a, std::int32_t b) {
        return static_cast<std::int32_t>(GradientStep(a, b, d.col, x));
    };
    return ColorRGB{step(left.Red, right.Red), step(left.Green, right.Green),
                    step(left.Blue, right.Blue)};
}

// The rules of a style sheet: the fixed ones, then one per distinct colour of the walk in the
// order the colours first come, as the head part's lines.
template <typename Walk>
void WriteRules(OutputFrame& frame, OutputBuffer& out, const std::vector<std::string>& rules,
                const ColorRule& colorRule, Walk&& walk) {
    frame.HeadLine("<style>");
    for (const std::string& rule : rules)
        frame.HeadLine(rule);
    if (!colorRule.Empty()) {
        ColorRuleLines lines(colorRule, frame.HeadLineEnd());
        walk([&](const ColorRGB& color) { lines.Write(out, color); });
    }
    frame.HeadLine("</style>");
}

// Calls f(colour) for the cells whose colours can be new, reporting progress in rows: a row
// with the edges of the row before has its colours, and is passed over (in a tall table most
// rows are).
struct CellColors {
    const Counts& counts;
    const GradientColors& colors;
    OutputBuffer* out;
    template <typename F> void operator()(F&& f) const {
        struct Visit {
            F& f;
            const Counts& counts;
            OutputBuffer* out;
            ColorRGB last;
            std::optional<std::pair<ColorRGB, ColorRGB>> edges;
            bool Row(std::uint64_t, const ColorRGB& left, const ColorRGB& right) {
                const auto same = [](const ColorRGB& a, const ColorRGB& b) {
                    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
                };
                if (edges && same(edges->first, left) && same(edges->second, right))
                    return false;
                edges.emplace(left, right);
                return true;
            }
            void Cell(const ColorRGB& c) {
                // Cells next to each other mostly share their colour.
                if (c.Red != last.Red || c.Green != last.Green || c.Blue != last.Blue) {
                    last = c;
                    f(c);
                }
            }
            void RowEnd(std::uint64_t r) {
                if (out)
                    out->Progress(r + 1, counts.rowsOut);
            }
        } visit{f, counts, out, {-1, -1, -1}, std::nullopt};
        WalkTable(counts, colors, visit);
    }
};

// Rows up to this long are made whole before they are written, and kept: a row with the edges
// of the row before is that row again, written without walking its cells.
constexpr std::uint64_t kKeptRow = std::uint64_t{1} << 20;

void WriteRows(const TableMarkup& m, const Counts& counts, const GradientColors& c,
               OutputBuffer& out) {
    out.Append(m.open);
    struct Visit {
        const TableMarkup& m;
        const Counts& counts;
        OutputBuffer& out;
        bool keep;         // rows are made in row
        std::string row{}; // the cells of the last row made
        bool made = false; // the row is made now, to be written at its end
        std::optional<std::pair<ColorRGB, ColorRGB>> edges{};
        bool Row(std::uint64_t, const ColorRGB& left, const ColorRGB& right) {
            out.Append(m.rowOpen);
            if (!keep)
                return true;
            if (edges && edges->first == left && edges->second == right) {
                out.Append(row);
                return false;
            }
            edges.emplace(left, right);
            row.clear();
            made = true;
            return true;
        }
        void Cell(const ColorRGB& color) {
            if (keep) {
                const std::size_t at = row.size();
                row += m.cell;
                WriteHexColor(row.data() + at + m.hexAt, color);
                return;
            }
            char* p = out.Room(m.cell.size());
            std::memcpy(p, m.cell.data(), m.cell.size());
            WriteHexColor(p + m.hexAt, color);
            out.Commit(p + m.cell.size());
        }
        void RowEnd(std::uint64_t r) {
            if (made)
                out.Append(row);
            made = false;
            out.Append(m.rowClose);
            out.Progress(r + 1, counts.rowsOut);
        }
    } visit{m, counts, out, counts.colsOut * m.cell.size() <= kKeptRow};
    if (visit.keep)
        visit.row.reserve(counts.colsOut * m.cell.size());
    WalkTable(counts, c, visit);
    out.Append(m.close);
}

bool HasStyleSheet(const TableMarkup& m, const Counts& counts) {
    return !m.rules.empty() || (!m.colorRule.Empty() && counts.rowsOut * counts.colsOut > 0);
}

GradientStops StopsOf(const Counts& counts, const GradientColors& c) {
    GradientStops s;
    s.cols = counts.cols;
    s.rows = counts.rows;
    if (counts.rows <= 0 || counts.cols <= 0)
        return s;
    const bool line = counts.rows == 1 || counts.cols == 1;
    s.topLeft = CellColor(counts, c, 0, 0);
    s.topRight = CellColor(counts, c, 0, line ? counts.cols : counts.cols - 1);
    s.bottomLeft = CellColor(counts, c, line ? counts.rows : counts.rows - 1, 0);
    s.bottomRight = CellColor(counts, c, counts.rows - 1, counts.cols - 1);
    return s;
}

} // namespace

Error CssGradientSizeError() {
    return Error(MessageCode::CssGradientSize, {});
}

Error CssGradientPercentError(std::string_view length) {
    return Error(MessageCode::CssGradientPercent, {std::string(length)});
}

void WriteGradientTable(const GradientTableOptions& options, OutputSink& sink) {
    const Counts counts = ParseCounts(options);
    OutputBuffer out(sink);
    OutputFrame frame(out, options);
    if (options.style == OutputStyle::Html5 && options.cssGradient) {
        const CssGradientMarkup m = Html5CssGradient(options, StopsOf(counts, options.colors));
        frame.Begin(!m.rules.empty(), [&] {
            frame.HeadLine("<style>");
            for (const std::string& rule : m.rules)
                frame.HeadLine(rule);
            frame.HeadLine("</style>");
        });
        for (const std::string& entry : m.entries)
            frame.Entry(entry);
    } else {
        const TableMarkup markup = MarkupFor(options);
        frame.Begin(HasStyleSheet(markup, counts), [&] {
            WriteRules(frame, out, markup.rules, markup.colorRule,
                       CellColors{counts, options.colors, &out});
        });
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
    // The frame around the rows, measured on a table of no rows, with the style sheet's fixed
    // rules.
    GradientTableOptions none = options;
    none.rows.assign(1, '0');
    StringSink frame;
    WriteGradientTable(none, frame);
    std::uint64_t frameSize = frame.Text().size();
    const std::uint64_t cells = counts.rowsOut * counts.colsOut; // below 2^62
    Uint128 rules{0, 0};
    if (!m.colorRule.Empty() && cells > 0) {
        // A style sheet of class rules: one line per distinct colour, which only a walk
        // through the cells counts.
        const std::uint64_t lineEnd = options.lineEnd.size();
        if (m.rules.empty()) { // the table of no rows had no style sheet
            frameSize += std::string_view("<style></style>").size() + 2 * lineEnd;
            if (!options.page)
                frameSize += HeadPartMark(options.language).size() +
                             BodyPartMark(options.language).size() + 2 * lineEnd;
        }
        ColorSet seen;
        std::uint64_t distinct = 0;
        CellColors{counts, options.colors,
                   nullptr}([&](const ColorRGB& c) { distinct += seen.Insert(c) ? 1 : 0; });
        rules = Multiply(distinct, m.colorRule.text.size() + lineEnd);
    }
    const std::uint64_t perRow = m.rowOpen.size() + m.rowClose.size();
    return Add(Add(Add(Uint128{0, frameSize}, Multiply(counts.rowsOut, perRow)),
                   Multiply(cells, m.cell.size())),
               rules);
}

} // namespace tinsora
