#include "html/GradientTable.h"

#include "color/User.h"
#include "gradient/Uint128.h"
#include "text/Error.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string_view>

namespace tinsora {

namespace {

constexpr std::string_view kTableStart = "<TABLE cellpadding=\"";
constexpr std::string_view kSpacingStart = "\" cellspacing=\"";
constexpr std::string_view kTagEnd = "\">";
constexpr std::string_view kCellStart = "<TD bgcolor=\"#";
constexpr std::string_view kWidthStart = "\" width=\"";
constexpr std::string_view kHeightStart = "\" height=\"";
constexpr std::string_view kCellEnd = "\"></TD>";
constexpr std::string_view kTBody = "<TBODY>";
constexpr std::string_view kTBodyEnd = "</TBODY>";
constexpr std::string_view kTr = "<TR>";
constexpr std::string_view kTrEnd = "</TR>";
constexpr std::string_view kTableEnd = "</TABLE>";

// Sizes are counted in 128 bits: a table of 2147483647 x 2147483647 cells
// passes 2^64 bytes and must still be measured.
using Wide = Uint128;

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
    return c;
}

// Bytes of the table with lineEnd bytes after every entry.
Wide TableBytes(const GradientTableOptions& o, const Counts& c, std::uint64_t lineEnd) {
    const std::uint64_t indent2 = o.lineMode ? 2 : 0;
    const std::uint64_t indent4 = o.lineMode ? 4 : 0;
    const std::uint64_t indent6 = o.lineMode ? 6 : 0;
    const std::uint64_t fixed = kTableStart.size() + o.padding.size() + kSpacingStart.size() +
                                o.spacing.size() + kTagEnd.size() + indent2 + kTBody.size() +
                                indent2 + kTBodyEnd.size() + kTableEnd.size() + 4 * lineEnd;
    const std::uint64_t perRow = 2 * indent4 + kTr.size() + kTrEnd.size() + 2 * lineEnd;
    const std::uint64_t perCell = indent6 + kCellStart.size() + 6 + kWidthStart.size() +
                                  o.width.size() + kHeightStart.size() + o.height.size() +
                                  kCellEnd.size() + lineEnd;
    const std::uint64_t cells = c.rowsOut * c.colsOut; // below 2^62
    return Add(Add(Wide{0, fixed}, Multiply(c.rowsOut, perRow)), Multiply(cells, perCell));
}

Wide PaneBytes(const GradientTableOptions& o, const Counts& c) {
    return TableBytes(o, c, o.lineMode ? 2 : 0);
}

// GradientStep(a, b, n, i) for i = 0, 1, 2, ... (n > 0) at the cost of an
// addition per position: the exact value (a*n + (b-a)*i) / n is kept as a
// quotient and remainder, and only whole-number values, where the rounding of
// the extended-precision steps matters, go through GradientStep itself.
class StepWalk {
public:
    StepWalk(std::int32_t a, std::int32_t b, std::int32_t n) : a_(a), b_(b), n_(n), quotient_(a) {
        const std::int64_t step = std::int64_t{b} - a;
        stepQuotient_ = step / n;
        stepRemainder_ = step % n;
        if (stepRemainder_ < 0) {
            stepRemainder_ += n;
            --stepQuotient_;
        }
    }

    std::int32_t Value() const {
        if (remainder_ != 0) // truncation toward zero of quotient_ + remainder_/n
            return static_cast<std::int32_t>(quotient_ >= 0 ? quotient_ : -(quotient_ + 1));
        if (a_ == b_)
            return a_;
        return static_cast<std::int32_t>(GradientStep(a_, b_, n_, i_));
    }

    void Next() {
        ++i_;
        quotient_ += stepQuotient_;
        remainder_ += stepRemainder_;
        const bool carry = remainder_ >= n_;
        remainder_ -= carry ? n_ : 0;
        quotient_ += carry ? 1 : 0;
    }

private:
    std::int32_t a_, b_, n_;
    std::int32_t i_ = 0;
    std::int64_t quotient_;
    std::int64_t remainder_ = 0;
    std::int64_t stepQuotient_ = 0;
    std::int64_t stepRemainder_ = 0;
};

// The two hexadecimal digits of every channel value, side by side.
constexpr std::array<char, 512> kHexPairs = [] {
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<char, 512> pairs{};
    for (int v = 0; v < 256; ++v) {
        pairs[2 * v] = digits[v >> 4];
        pairs[2 * v + 1] = digits[v & 0xF];
    }
    return pairs;
}();

inline void WriteHex(char* at, const ColorRGB& color) {
    std::memcpy(at, &kHexPairs[2 * (static_cast<unsigned>(color.Red) & 0xFFu)], 2);
    std::memcpy(at + 2, &kHexPairs[2 * (static_cast<unsigned>(color.Green) & 0xFFu)], 2);
    std::memcpy(at + 4, &kHexPairs[2 * (static_cast<unsigned>(color.Blue) & 0xFFu)], 2);
}

// Cell lines are handed to a sink padded to at least kCellBlock bytes, so that
// a sink with room to spare can copy them as one fixed-size block.
constexpr std::size_t kCellBlock = 64;

// Collects the entries into HtmlLines, whose buffer is reserved to the exact size.
class LinesSink {
public:
    explicit LinesSink(HtmlLines& lines) : lines_(lines), text_(lines.Text()) {}
    std::string_view LineEnd() const { return {}; }
    void Append(std::string_view piece) { text_ += piece; }
    void EndLine() { lines_.EndLine(); }
    void AddCell(const char* padded, std::size_t length) {
        text_.append(padded, length);
        lines_.EndLine();
    }

private:
    HtmlLines& lines_;
    std::string& text_;
};

// Builds the final text, line ends included, in one reused buffer that is
// handed on whenever it fills: a table is written without ever being held whole.
class TextSink {
public:
    static constexpr std::size_t kChunk = std::size_t{256} << 10;

    TextSink(std::string_view lineEnd, const std::function<void(std::string_view)>& write)
        : lineEnd_(lineEnd), write_(write) {
        Grow(kChunk + kCellBlock);
    }
    std::string_view LineEnd() const { return lineEnd_; }
    void Append(std::string_view piece) {
        if (piece.empty()) // an empty view may carry no pointer at all
            return;
        Make(piece.size());
        std::memcpy(buffer_.get() + size_, piece.data(), piece.size());
        size_ += piece.size();
    }
    void EndLine() {
        Append(lineEnd_);
        FlushWhenFull();
    }
    void AddCell(const char* padded, std::size_t length) {
        if (length <= kCellBlock) {
            Make(kCellBlock);
            std::memcpy(buffer_.get() + size_, padded, kCellBlock);
        } else {
            Make(length);
            std::memcpy(buffer_.get() + size_, padded, length);
        }
        size_ += length;
        FlushWhenFull();
    }
    void Finish() {
        if (size_ != 0)
            write_(std::string_view(buffer_.get(), size_));
        size_ = 0;
    }

private:
    void Make(std::size_t room) {
        if (capacity_ - size_ < room)
            Grow(size_ + room);
    }
    void Grow(std::size_t capacity) {
        auto bigger = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ != 0)
            std::memcpy(bigger.get(), buffer_.get(), size_);
        buffer_ = std::move(bigger);
        capacity_ = capacity;
    }
    void FlushWhenFull() {
        if (size_ >= kChunk)
            Finish();
    }

    std::string_view lineEnd_;
    const std::function<void(std::string_view)>& write_;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Parses the counts (columns first) and refuses a table whose text in the pane
// would pass the cap, before anything is built.
Counts CheckTable(const GradientTableOptions& options) {
    const Counts counts = ParseCounts(options);
    const Wide paneBytes = PaneBytes(options, counts);
    if (paneBytes.hi != 0 || paneBytes.lo > kMaxOutputBytes)
        throw OutputTooLargeError(ToDecimal(paneBytes), kMaxOutputBytes);
    return counts;
}

template <typename Sink>
void BuildTable(const GradientTableOptions& options, const Counts& counts, Sink& sink) {
    const std::size_t indent2 = options.lineMode ? 2 : 0;
    const std::size_t indent4 = options.lineMode ? 4 : 0;
    const std::size_t indent6 = options.lineMode ? 6 : 0;
    const auto addLine = [&](std::size_t indent, std::string_view tag) {
        sink.Append(std::string_view("      ").substr(0, indent));
        sink.Append(tag);
        sink.EndLine();
    };

    sink.Append(kTableStart);
    sink.Append(options.padding);
    sink.Append(kSpacingStart);
    sink.Append(options.spacing);
    sink.Append(kTagEnd);
    sink.EndLine();
    addLine(indent2, kTBody);

    // Every cell line is this one with its own six colour digits.
    std::string cell(indent6, ' ');
    cell += kCellStart;
    const std::size_t hexAt = cell.size();
    cell += "000000";
    cell += kWidthStart;
    cell += options.width;
    cell += kHeightStart;
    cell += options.height;
    cell += kCellEnd;
    cell += sink.LineEnd();
    const std::size_t cellLength = cell.size();
    cell.resize(std::max(cellLength, kCellBlock));

    const GradientColors& c = options.colors;
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

        addLine(indent4, kTr);
        if (counts.colsOut > 0) {
            StepWalk red(left.Red, right.Red, colDivisor);
            StepWalk green(left.Green, right.Green, colDivisor);
            StepWalk blue(left.Blue, right.Blue, colDivisor);
            ColorRGB written{-1, -1, -1};
            for (std::uint64_t x = 0; x < counts.colsOut; ++x) {
                const ColorRGB color{red.Value(), green.Value(), blue.Value()};
                if (color != written) {
                    WriteHex(cell.data() + hexAt, color);
                    written = color;
                }
                sink.AddCell(cell.data(), cellLength);
                red.Next();
                green.Next();
                blue.Next();
            }
        }
        addLine(indent4, kTrEnd);
    }

    addLine(indent2, kTBodyEnd);
    addLine(0, kTableEnd);
}

} // namespace

std::uint64_t GradientTableOutputSize(const GradientTableOptions& options) {
    const Wide bytes = PaneBytes(options, ParseCounts(options));
    return bytes.hi != 0 ? std::numeric_limits<std::uint64_t>::max() : bytes.lo;
}

HtmlLines MakeGradientTable(const GradientTableOptions& options) {
    const Counts counts = CheckTable(options);
    HtmlLines lines;
    const std::uint64_t entries = 4 + counts.rowsOut * (2 + counts.colsOut);
    lines.Reserve(static_cast<std::size_t>(TableBytes(options, counts, 0).lo),
                  static_cast<std::size_t>(entries));
    LinesSink sink(lines);
    BuildTable(options, counts, sink);
    return lines;
}

void WriteGradientTable(const GradientTableOptions& options, std::string_view lineEnd,
                        const std::function<void(std::string_view)>& write) {
    const Counts counts = CheckTable(options);
    TextSink sink(lineEnd, write);
    BuildTable(options, counts, sink);
    sink.Finish();
}

} // namespace tinsora
