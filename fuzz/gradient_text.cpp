// The gradient text generator over arbitrary bytes and options: typed text
// (any bytes, valid UTF-8 or not) and text files (any code page 932 bytes).
// Any sink must get the same text, the preview the same walk, and every colour
// written must be six hexadecimal digits.
#include "FuzzCheck.h"
#include "html/GradientText.h"
#include "text/Error.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

using namespace tinsora;

std::string SmallNumberText(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return std::to_string(in.ConsumeIntegralInRange<std::int32_t>(-10, 12));
    return in.ConsumeRandomLengthString(6);
}

void CheckColours(std::string_view text, std::string_view start) {
    for (std::size_t at = text.find(start); at != std::string_view::npos;
         at = text.find(start, at + 1)) {
        const std::string_view digits = text.substr(at + start.size(), 7);
        FUZZ_CHECK(digits.size() == 7 && (digits[6] == '"' || digits[6] == ';'));
        for (int k = 0; k < 6; ++k) {
            const char c = digits[static_cast<std::size_t>(k)];
            FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    GradientTextOptions o;
    for (ColorRGB& c : o.gradColors)
        c = fuzz::TakeColor(in);
    o.lastGradColor = in.ConsumeIntegralInRange(1, 3);
    o.colorCountText = SmallNumberText(in);
    o.sizeText = in.ConsumeBool() ? std::string() : SmallNumberText(in);
    o.bold = in.ConsumeBool();
    o.italic = in.ConsumeBool();
    o.underline = in.ConsumeBool();
    o.strikeOut = in.ConsumeBool();
    o.tt = in.ConsumeBool();
    o.blink = in.ConsumeBool();
    o.tateIchi = in.ConsumeBool();
    o.sup = in.ConsumeBool();
    o.sub = !o.sup;
    o.marquee = in.ConsumeBool();
    o.marqueeDirection = in.ConsumeBool() ? MarqueeDirection::Left : MarqueeDirection::Right;
    o.marqueeBehavior = static_cast<MarqueeBehavior>(in.ConsumeIntegralInRange(0, 2));
    o.scope = in.ConsumeBool() ? TagScope::Char : TagScope::String;
    o.encoding = in.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Cp932;
    const bool file = in.ConsumeBool();
    o.style = in.ConsumeBool() ? OutputStyle::Classic : OutputStyle::Html5;
    o.lineMode = in.ConsumeBool();
    o.lineEnd = std::string("\n");
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    if (file) {
        o.source = GradientTextSource::File;
        o.fileBytes = bytes;
    } else {
        o.text = bytes;
    }

    // A sink of its own, as the front ends have.
    struct Pieces final : OutputSink {
        std::string text;
        void Write(std::string_view piece) override { text.append(piece); }
    } pieces;
    const auto error = fuzz::ErrorOf([&] { WriteGradientText(o, pieces); });
    // Only the size and count texts can be refused, before anything is written.
    FUZZ_CHECK(error == fuzz::ErrorOf([&] { CheckGradientText(o); }));
    FUZZ_CHECK(error == fuzz::ErrorOf([&] { MakeGradientTextPreview(o); }));
    if (error) {
        FUZZ_CHECK(pieces.text.empty());
        return 0;
    }
    StringSink whole;
    WriteGradientText(o, whole);
    FUZZ_CHECK(whole.Text() == pieces.text);
    if (o.style == OutputStyle::Classic)
        CheckColours(pieces.text, "<FONT Color=\"#");
    else
        CheckColours(pieces.text, "<span style=\"color:#");
    if (o.style == OutputStyle::Html5 && o.encoding == TextEncoding::Utf8)
        FUZZ_CHECK(fuzz::IsUtf8(pieces.text));
    if (file)
        FUZZ_CHECK(MakeGradientTextPreview(o).glyphs.empty());
    return 0;
}
