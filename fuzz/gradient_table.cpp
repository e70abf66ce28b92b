// The gradient table generator over arbitrary option texts, counts and colours, in both
// styles. Tables of up to kBuildLimit bytes are built, their size must be the one counted,
// and classic ones must be the table worked out cell by cell; larger ones are only measured.
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

// The table the options describe, entry by entry, worked out directly with GradientStep for
// every cell: in line mode each entry indented and followed by the line end, joined otherwise.
std::string ExpectedTable(const GradientTableOptions& o) {
    const std::int32_t cols = TextToInt(o.cols);
    const std::int32_t rows = TextToInt(o.rows);
    const std::int64_t rowsOut = rows > 0 ? rows : 0;
    const std::int64_t colsOut = rows > 0 && cols > 0 ? cols : 0;

    std::string text;
    const auto entry = [&](std::size_t indent, const std::string& e) {
        if (o.lineMode)
            text += std::string(indent, ' ') + e + o.lineEnd;
        else
            text += e;
    };
    entry(0, "<TABLE cellpadding=\"" + o.padding + "\" cellspacing=\"" + o.spacing + "\">");
    entry(2, "<TBODY>");
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
        entry(4, "<TR>");
        for (std::int64_t x = 0; x < colsOut; ++x) {
            const auto colDivisor = static_cast<std::int32_t>(cols - edge);
            const auto col = static_cast<std::int32_t>(x);
            const ColorRGB cell{Step(left.Red, right.Red, colDivisor, col),
                                Step(left.Green, right.Green, colDivisor, col),
                                Step(left.Blue, right.Blue, colDivisor, col)};
            entry(6, "<TD bgcolor=\"#" + Hex(cell) + "\" width=\"" + o.width + "\" height=\"" +
                         o.height + "\"></TD>");
        }
        entry(4, "</TR>");
    }
    entry(2, "</TBODY>");
    entry(0, "</TABLE>");
    return text;
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
    if (o.style == OutputStyle::Classic && !o.page)
        FUZZ_CHECK(text == ExpectedTable(o));
    return 0;
}
