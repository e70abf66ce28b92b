#pragma once

// Inputs for the gradient text targets: the boxes' texts, typed strings and text files,
// either raw bytes or pieces likely to matter.

#include "FuzzCheck.h"
#include "IcuCp932.h"
#include "html/GradientText.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace fuzz {

inline std::string CountText(FuzzedDataProvider& in) {
    static constexpr const char* kCounts[] = {"",   "2",   "3",  "4",         "1",  "0",
                                              "-1", "9",   "+3", "$3",        " 2", "2 ",
                                              "x4", "0x3", "-9", "2147483647"};
    if (in.ConsumeBool())
        return in.PickValueInArray(kCounts);
    return in.ConsumeRandomLengthString(6);
}

inline std::string SizeText(FuzzedDataProvider& in) {
    static constexpr const char* kSizes[] = {"",     "3",  "+1", "-2", "7",  "大",
                                             "1\"2", "\\", "<>", "&",  " 4", "ソ"};
    if (in.ConsumeBool())
        return in.PickValueInArray(kSizes);
    return in.ConsumeRandomLengthString(8);
}

// A typed string: the raw bytes, or pieces likely to matter (backslashes and "n", characters
// of two bytes, one whose second byte is a backslash, characters without a form).
inline std::string TypedText(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return in.ConsumeRemainingBytesAsString();
    static constexpr const char* kPieces[] = {
        "\\", "n",  "\\n",          "A",        "<",    "&",    "\"", " ",
        "\t", "\n", "あ",           "い",       "ソ",   "表",   "¥",  "ｱ",
        "①",  "😀",  "\xEF\xBF\xBD", "\xE3\x81", "\xFF", "\x80", "~",  "\xC2\xA0"};
    std::string text;
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            text += in.PickValueInArray(kPieces);
            break;
        case 1:
            text += icu932::Utf8(in.ConsumeIntegralInRange<char32_t>(0x80, 0xFFFF));
            break;
        case 2:
            text += icu932::Utf8(in.ConsumeIntegralInRange<char32_t>(0x20, 0x7E));
            break;
        default:
            text += in.ConsumeRandomLengthString(8);
            break;
        }
    }
    return text;
}

// The bytes of a text file: raw, or pieces of code page 932 with all kinds of line ends.
inline std::string FileText(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return in.ConsumeRemainingBytesAsString();
    static constexpr const char* kPieces[] = {"\r\n", "\n",   "\r",       "\n\r",
                                              "\\n",  "A",    "\x82\xA0", "\x83\x5C",
                                              "\x81", "\xB1", "\x80",     "\xFD"};
    std::string text;
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            text += in.PickValueInArray(kPieces);
            break;
        case 1:
            text += static_cast<char>(in.ConsumeIntegralInRange(0x81, 0x9F));
            text += static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
            break;
        case 2:
            text.append(in.ConsumeIntegralInRange<std::size_t>(1, 12), 'x');
            break;
        default:
            text.push_back(static_cast<char>(in.ConsumeIntegral<std::uint8_t>()));
            break;
        }
    }
    return text;
}

/// The colours, the boxes' texts and the decorations, marquee and scope of a run.
inline void TakeTextOptions(FuzzedDataProvider& in, tinsora::GradientTextOptions& o) {
    using namespace tinsora;
    for (ColorRGB& c : o.gradColors)
        c = TakeColor(in);
    o.lastGradColor = in.ConsumeIntegralInRange(1, 3);
    o.colorCountText = CountText(in);
    o.sizeText = SizeText(in);
    o.bold = in.ConsumeBool();
    o.italic = in.ConsumeBool();
    o.underline = in.ConsumeBool();
    o.strikeOut = in.ConsumeBool();
    o.tt = in.ConsumeBool();
    o.blink = in.ConsumeBool();
    o.tateIchi = in.ConsumeBool();
    o.sup = in.ConsumeBool();
    o.sub = in.ConsumeBool();
    o.marquee = in.ConsumeBool();
    o.marqueeDirection = in.ConsumeBool() ? MarqueeDirection::Left : MarqueeDirection::Right;
    o.marqueeBehavior = static_cast<MarqueeBehavior>(in.ConsumeIntegralInRange(0, 2));
    o.scope = in.ConsumeBool() ? TagScope::Char : TagScope::String;
}

} // namespace fuzz
