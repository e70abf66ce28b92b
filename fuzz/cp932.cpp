// Code page 932 both ways, over bytes taken as code page 932, bytes taken as UTF-8 and texts
// made of code points likely to have forms. The program's conversion (ICU's on Linux) must
// agree with the C library's converter (IconvCp932.h, which also holds the program's
// deliberate rules where the two differ), its functions with each other, and both directions
// must round-trip:
// bytes that decode without U+FFFD encode back to the code page's own form of each
// character (itself, but for the characters the code page holds twice), and UTF-8 whose
// characters all have forms decodes back to itself.
#include "text/Cp932.h"

#include "FuzzCheck.h"
#include "IconvCp932.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tinsora;
namespace oracle = fuzz::glibc932;

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The lead-byte test of the program, the converter's and the program's decoder say the same
// of every byte: a lead byte takes the byte after it, any other byte is one character.
void CheckLeadBytes() {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        FUZZ_CHECK(IsLeadByte(byte) == oracle::Starters()[byte]);
        const std::string alone(1, static_cast<char>(byte));
        FUZZ_CHECK(Cp932ToUtf8(alone) == oracle::Utf8(oracle::DecodeChar(alone)));
        if (IsLeadByte(byte)) {
            FUZZ_CHECK(Cp932ToUtf8(alone) == kReplacementUtf8);
            for (int t : {0x00, 0x0A, 0x3F, 0x40, 0x5C, 0x7F, 0x80, 0x9F, 0xFC, 0xFF}) {
                const std::string pair{static_cast<char>(byte), static_cast<char>(t)};
                const std::string utf8 = Cp932ToUtf8(pair);
                FUZZ_CHECK(utf8 == oracle::Utf8(oracle::DecodeChar(pair)));
                std::string one;
                AppendCp932AsUtf8(one, pair);
                FUZZ_CHECK(one == utf8);
            }
        }
    }
}

// Bytes taken as code page 932.
void CheckBytes(std::string_view bytes) {
    const std::string utf8 = Cp932ToUtf8(bytes);
    FUZZ_CHECK(fuzz::IsUtf8(utf8));
    FUZZ_CHECK(utf8 == oracle::DecodeText(bytes));

    // Character by character: the same as one at a time, and as the converter on the whole text
    // where nothing in it is read by a rule of the program's own.
    std::string oneByOne;
    std::string canonical;
    bool plain = true;
    bool replaced = false;
    for (std::size_t k = 0; k < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        const std::size_t width = IsLeadByte(b) && k + 1 < bytes.size() ? 2 : 1;
        const std::string_view ch = bytes.substr(k, width);
        AppendCp932AsUtf8(oneByOne, ch);
        const char32_t c = oracle::DecodeChar(ch);
        replaced = replaced || c == oracle::kReplacement;
        plain = plain && c != oracle::kReplacement && b >= 0x20 && b != 0x7F;
        if (const auto form = oracle::EncodeChar(c))
            canonical += *form;
        k += width;
    }
    FUZZ_CHECK(oneByOne == utf8);
    if (plain) {
        const auto whole = oracle::Iconv::Decode(bytes);
        FUZZ_CHECK(whole.has_value());
        std::string viaOracle;
        for (const char32_t c : *whole)
            viaOracle += oracle::Utf8(c);
        FUZZ_CHECK(viaOracle == utf8);
    }
    if (!replaced) {
        // Every character decoded has a form, and that form decodes to it again.
        const std::string back = Utf8ToCp932(utf8);
        FUZZ_CHECK(back == canonical);
        FUZZ_CHECK(Cp932ToUtf8(back) == utf8);
        for (const Cp932Char& ch : Cp932Chars(utf8))
            FUZZ_CHECK(ch.mapped);
    }
}

// A text taken as UTF-8 (well-formed or not).
void CheckText(std::string_view text) {
    const std::vector<Cp932Char> chars = Cp932Chars(text);
    const auto model = oracle::TypedChars(text);
    FUZZ_CHECK(chars.size() == model.size());
    std::string expected;
    std::size_t at = 0;
    bool allMapped = true;
    for (std::size_t k = 0; k < chars.size(); ++k) {
        const Cp932Char& ch = chars[k];
        const oracle::TypedChar& m = model[k];
        FUZZ_CHECK(ch.offset == at && text.substr(ch.offset, ch.length) == m.utf8);
        FUZZ_CHECK(ch.mapped == m.form.has_value() && ch.width == m.width);
        if (ch.mapped) {
            const std::string_view form(ch.cp932, static_cast<std::size_t>(ch.width));
            FUZZ_CHECK(form == *m.form);
            // The width is the lead-byte test's.
            FUZZ_CHECK(IsLeadByte(static_cast<unsigned char>(ch.cp932[0])) == (ch.width == 2));
            expected += form;
        } else {
            expected += '?';
            allMapped = false;
        }
        at += ch.length;
    }
    FUZZ_CHECK(at == text.size());
    const std::string cp932 = Utf8ToCp932(text);
    FUZZ_CHECK(cp932 == expected);
    if (allMapped)
        FUZZ_CHECK(Cp932ToUtf8(cp932) == text);
}

// Code points from the ranges where the code page has its characters, and beside them.
std::string CodePointText(FuzzedDataProvider& in) {
    static constexpr char32_t kRanges[][2] = {
        {0x20, 0x7E},     {0x80, 0xFF},     {0x2010, 0x2312}, {0x2460, 0x24FF}, {0x3000, 0x30FF},
        {0x4E00, 0x9FFF}, {0xE000, 0xE757}, {0xF900, 0xFA2D}, {0xFF01, 0xFFEF}, {0x00, 0x10FFFF}};
    // Where converters are known to differ: one-way and ignorable mappings, the characters
    // held twice, the yen sign and the wave dash.
    static constexpr char32_t kEdges[] = {0xF86F, 0x00A5, 0x203E, 0x00AD, 0x034F, 0x2252,
                                          0x2261, 0x222B, 0x221A, 0x2235, 0xFF5E, 0x301C,
                                          0x2225, 0x2016, 0x2212, 0xFFE2, 0x00A6, 0x005C,
                                          0x001A, 0x001C, 0x007F, 0xFFFD, 0x2116, 0x2121};
    std::string text;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeIntegralInRange(0, 7) == 0) {
            text += oracle::Utf8(in.PickValueInArray(kEdges));
            continue;
        }
        const auto& range =
            kRanges[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kRanges) - 1)];
        text += oracle::Utf8(in.ConsumeIntegralInRange<char32_t>(range[0], range[1]));
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool leadBytesChecked = (CheckLeadBytes(), true);
    static_cast<void>(leadBytesChecked);
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: {
        const std::string bytes = in.ConsumeRemainingBytesAsString();
        CheckBytes(bytes);
        CheckText(bytes);
        break;
    }
    case 1: {
        const std::string text = CodePointText(in);
        CheckText(text);
        CheckBytes(Utf8ToCp932(text));
        break;
    }
    default: {
        // Pairs of a lead byte and any byte.
        std::string bytes;
        while (in.remaining_bytes() > 0) {
            bytes += static_cast<char>(in.ConsumeBool() ? in.ConsumeIntegralInRange(0x81, 0x9F)
                                                        : in.ConsumeIntegralInRange(0xE0, 0xFC));
            bytes += static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        }
        CheckBytes(bytes);
        break;
    }
    }
    return 0;
}
