// The gradient table generator over arbitrary option texts, counts and colours, in both
// styles. Tables of up to kBuildLimit bytes are built, their size must be the one counted,
// and classic ones are checked cell by cell; larger ones are only measured.
#include "FuzzCheck.h"
#include "html/GradientTable.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace tinsora;

constexpr std::uint64_t kBuildLimit = std::uint64_t{1} << 20;

std::string CountText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return std::to_string(in.ConsumeIntegralInRange<std::int32_t>(-3, 40));
    case 1:
        return std::to_string(in.ConsumeIntegral<std::int32_t>());
    case 2:
        return std::to_string(in.ConsumeIntegral<std::int64_t>());
    default:
        return in.ConsumeRandomLengthString(16);
    }
}

std::int32_t Step(std::int32_t a, std::int32_t b, std::int32_t n, std::int32_t i) {
    const std::int64_t v = GradientStep(a, b, n, i);
    FUZZ_CHECK(v >= 0 && v <= 255);
    return static_cast<std::int32_t>(v);
}

std::string Hex(const ColorRGB& c) {
    return ChannelToHex(c.Red) + ChannelToHex(c.Green) + ChannelToHex(c.Blue);
}

// The table the options describe, entry by entry, worked out directly with
// GradientStep for every cell.
void CheckEntries(const GradientTableOptions& o, const std::vector<std::string>& lines) {
    const std::int32_t cols = TextToInt(o.cols);
    const std::int32_t rows = TextToInt(o.rows);
    const std::int64_t rowsOut = rows > 0 ? rows : 0;
    const std::int64_t colsOut = rows > 0 && cols > 0 ? cols : 0;
    FUZZ_CHECK(static_cast<std::int64_t>(lines.size()) == 4 + rowsOut * (2 + colsOut));

    const std::string_view indent = "      ";
    const auto in = [&](std::size_t n) {
        return std::string(indent.substr(0, o.lineMode ? n : 0));
    };
    std::size_t k = 0;
    const auto expect = [&](const std::string& entry) { FUZZ_CHECK(lines[k++] == entry); };

    expect("<TABLE cellpadding=\"" + o.padding + "\" cellspacing=\"" + o.spacing + "\">");
    expect(in(2) + "<TBODY>");
    const std::int64_t edge = rows == 1 || cols == 1 ? 0 : 1;
    const auto& c = o.colors;
    for (std::int64_t r = 0; r < rowsOut; ++r) {
        const auto rowDivisor = static_cast<std::int32_t>(rows - edge);
        const auto row = static_cast<std::int32_t>(r);
        const ColorRGB left{Step(c[0].Red, c[2].Red, rowDivisor, row),
                            Step(c[0].Green, c[2].Green, rowDivisor, row),
                            Step(c[0].Blue, c[2].Blue, rowDivisor, row)};
        const ColorRGB right{Step(c[1].Red, c[3].Red, rowDivisor, row),
                             Step(c[1].Green, c[3].Green, rowDivisor, row),
                             Step(c[1].Blue, c[3].Blue, rowDivisor, row)};
        expect(in(4) + "<TR>");
        for (std::int64_t x = 0; x < colsOut; ++x) {
            const auto colDivisor = static_cast<std::int32_t>(cols - edge);
            const auto col = static_cast<std::int32_t>(x);
            const ColorRGB cell{Step(left.Red, right.Red, colDivisor, col),
                                Step(left.Green, right.Green, colDivisor, col),
                                Step(left.Blue, right.Blue, colDivisor, col)};
            expect(in(6) + "<TD bgcolor=\"#" + Hex(cell) + "\" width=\"" + o.width +
                   "\" height=\"" + o.height + "\"></TD>");
        }
        expect(in(4) + "</TR>");
    }
    expect(in(2) + "</TBODY>");
    expect("</TABLE>");
}

std::string Written(const GradientTableOptions& o) {
    StringSink sink;
    WriteGradientTable(o, sink);
    return sink.Take();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    GradientTableOptions o;
    o.cols = CountText(in);
    o.rows = CountText(in);
    o.padding = in.ConsumeRandomLengthString(64);
    o.spacing = in.ConsumeRandomLengthString(64);
    o.width = in.ConsumeRandomLengthString(64);
    o.height = in.ConsumeRandomLengthString(64);
    o.lineMode = in.ConsumeBool();
    o.style = in.ConsumeBool() ? OutputStyle::Classic : OutputStyle::Html5;
    o.cssGradient = in.ConsumeBool();
    o.page = in.ConsumeBool();
    for (auto& color : o.colors)
        color = fuzz::TakeColor(in);
    o.lineEnd = in.PickValueInArray({"\r\n", "\n"});

    Uint128 bytes;
    const auto countError = fuzz::ErrorOf([&] { bytes = GradientTableSize(o); });
    if (countError) {
        // A bad count is the conversion error of the columns first, then of the rows; in the
        // HTML5 style a box that holds no length. Nothing is written.
        const auto colsError = fuzz::ErrorOf([&] { TextToInt(o.cols); });
        const auto rowsError = fuzz::ErrorOf([&] { TextToInt(o.rows); });
        if (colsError || rowsError)
            FUZZ_CHECK(countError == (colsError ? colsError : rowsError));
        else
            FUZZ_CHECK(o.style == OutputStyle::Html5);
        StringSink sink;
        FUZZ_CHECK(fuzz::ErrorOf([&] { WriteGradientTable(o, sink); }) == countError);
        FUZZ_CHECK(sink.Text().empty());
        return 0;
    }
    if (bytes.hi != 0 || bytes.lo > kBuildLimit)
        return 0;

    const std::string text = Written(o);
    FUZZ_CHECK(text.size() == bytes.lo);
    if (o.style == OutputStyle::Classic && !o.page) {
        // The same table one entry per line, read back entry by entry.
        GradientTableOptions lines = o;
        lines.lineMode = true;
        lines.lineEnd = std::string("\n");
        const std::string all = Written(lines);
        std::vector<std::string> entries;
        for (std::size_t start = 0; start < all.size();) {
            const std::size_t end = all.find('\n', start);
            entries.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        CheckEntries(lines, entries);
        if (!o.lineMode) {
            std::string joined;
            for (const std::string& entry : entries)
                joined += entry.substr(entry.find_first_not_of(' ') == std::string::npos
                                           ? 0
                                           : entry.find_first_not_of(' '));
            FUZZ_CHECK(text == joined);
        }
    }
    return 0;
}
