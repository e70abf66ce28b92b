// The gradient text generator over arbitrary text and options, held to a model of its own: a
// plain walk over the characters written here from the rules (segments and their divisor,
// byte positions, the line-break escape at the start of a character only, widths in code page
// 932 from ICU directly, the characters left after the last segment; for a text file the
// lines, their edge colours and the common divisor along them), GradientStep the only piece
// it shares with the program. The classic output is read back entry by entry and every
// colour and character compared with the model's; the preview is the model's walk too.
#include "FuzzCheck.h"
#include "IcuCp932.h"
#include "TextInputs.h"
#include "TextToIntModel.h"
#include "gradient/Gradation.h"
#include "html/GradientText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The decimal reference that stands for a character without a code page 932 form (U+FFFD for
// a byte that is no character).
std::string Reference(std::string_view utf8) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    std::int32_t k = 0;
    UChar32 c = 0;
    U8_NEXT(s, k, static_cast<std::int32_t>(utf8.size()), c);
    return "&#" + std::to_string(c < 0 ? 0xFFFD : c) + ";";
}

using namespace tinsora;

// ---- The model.

// One entry of the characters' part: a line break, or a character with its colour.
struct Entry {
    bool lineBreak = false;
    ColorRGB color;
    std::string text;          // the character as the output holds it
    std::int64_t position = 0; // typed: its byte position in code page 932
};

std::int32_t Channel(std::int32_t a, std::int32_t b, std::int32_t n, std::int32_t i) {
    // A divisor of zero leaves the colour where it starts.
    if (n == 0)
        return a;
    return ClampChannel(GradientStep(a, b, n, i));
}

ColorRGB Between(const ColorRGB& from, const ColorRGB& to, std::int32_t n, std::int64_t i) {
    const auto at = static_cast<std::int32_t>(i);
    return {Channel(from.Red, to.Red, n, at), Channel(from.Green, to.Green, n, at),
            Channel(from.Blue, to.Blue, n, at)};
}

// The number of colour segments of a typed string: the count box, 4 at most and 2 at least,
// less one; the colours in use when it is empty.
int Segments(const GradientTextOptions& o, std::int32_t count) {
    if (o.colorCountText.empty())
        return o.lastGradColor;
    return std::clamp(count, 2, 4) - 1;
}

std::vector<Entry> TypedModel(const GradientTextOptions& o, int d) {
    const auto chars = fuzz::icu932::TypedChars(o.text);
    std::int64_t len = 0;
    for (const auto& ch : chars)
        len += ch.width;
    const std::int64_t segmentLength = len / d;
    const auto divisor = static_cast<std::int32_t>((len - 1) / d);

    // The character at a byte position, found by walking the characters.
    std::vector<std::size_t> at;
    for (std::size_t j = 0; j < chars.size(); ++j)
        for (int w = 0; w < chars[j].width; ++w)
            at.push_back(j);
    const auto isByte = [&](std::int64_t p, char byte) {
        if (p >= len)
            return false;
        const auto& ch = chars[at[static_cast<std::size_t>(p)]];
        return ch.width == 1 && ch.form && (*ch.form)[0] == byte;
    };

    std::vector<Entry> entries;
    std::int64_t p = 0;
    std::int64_t lastWidth = 1; // an escape before any character moves s by one
    std::int64_t s = 0;
    const auto step = [&](int k) {
        if (isByte(p, '\\') && isByte(p + 1, 'n')) {
            entries.push_back(Entry{true, {}, {}, p});
            p += 2;
            s += lastWidth;
            return;
        }
        const auto& ch = chars[at[static_cast<std::size_t>(p)]];
        Entry e;
        e.color = Between(o.gradColors[static_cast<std::size_t>(k)],
                          o.gradColors[static_cast<std::size_t>(k) + 1], divisor, s);
        if (o.encoding == TextEncoding::Utf8)
            e.text = std::string(ch.utf8);
        else
            e.text = ch.form ? *ch.form : Reference(ch.utf8);
        e.position = p;
        entries.push_back(e);
        p += ch.width;
        s += ch.width;
        lastWidth = ch.width;
    };
    for (int k = 0; k < d; ++k) {
        s = 0;
        while (s < segmentLength && p < len)
            step(k);
    }
    // What is left goes on along the last segment.
    while (p < len)
        step(d - 1);
    return entries;
}

std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    bytes = bytes.substr(0, bytes.find('\0'));
    std::size_t start = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        if (bytes[k] != '\r' && bytes[k] != '\n')
            continue;
        lines.push_back(bytes.substr(start, k - start));
        if (bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')
            ++k;
        start = k + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::vector<Entry> FileModel(const GradientTextOptions& o) {
    const auto lines = Lines(o.fileBytes);
    std::size_t maxLen = 0;
    for (const auto line : lines)
        maxLen = std::max(maxLen, line.size());
    const auto lineDivisor = static_cast<std::int32_t>(lines.size()) - 1;
    const auto charDivisor = static_cast<std::int32_t>(maxLen) - 1;
    const auto& c = o.gradColors;
    const auto& lead = fuzz::icu932::Starters();
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ColorRGB left = Between(c[0], c[2], lineDivisor, static_cast<std::int64_t>(i));
        const ColorRGB right = Between(c[1], c[3], lineDivisor, static_cast<std::int64_t>(i));
        const std::string_view line = lines[i];
        for (std::size_t x = 0; x < line.size();) {
            // A lead byte at the end of its line has nothing to pair with.
            const std::size_t width =
                lead[static_cast<unsigned char>(line[x])] && x + 1 < line.size() ? 2 : 1;
            const std::string_view bytes = line.substr(x, width);
            Entry e;
            e.color = Between(left, right, charDivisor, static_cast<std::int64_t>(x));
            e.text = o.encoding == TextEncoding::Utf8
                         ? fuzz::icu932::Utf8(fuzz::icu932::DecodeChar(bytes))
                         : std::string(bytes);
            entries.push_back(e);
            x += width;
        }
        entries.push_back(Entry{true, {}, {}, 0});
    }
    return entries;
}

// ---- Reading the output back.

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    void Expect(std::string_view piece, const char* what, std::size_t entry) {
        if (text_.substr(at_, piece.size()) != piece)
            Fail(what, entry, piece);
        at_ += piece.size();
    }
    ColorRGB Colour(std::size_t entry) {
        const std::string_view digits = text_.substr(at_, 6);
        int v[6] = {};
        for (std::size_t k = 0; k < 6; ++k) {
            const char ch = k < digits.size() ? digits[k] : '?';
            v[k] = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : -1;
            if (v[k] < 0)
                Fail("six upper-case hexadecimal digits", entry, "RRGGBB");
        }
        at_ += 6;
        return {v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]};
    }
    bool AtEnd() const { return at_ == text_.size(); }
    std::size_t Position() const { return at_; }

    [[noreturn]] void Fail(const char* what, std::size_t entry, std::string_view expected) const {
        std::fprintf(
            stderr, "gradient text: entry %zu: expected %s \"%.*s\" at byte %zu, found \"%.*s\"\n",
            entry, what, static_cast<int>(std::min<std::size_t>(expected.size(), 80)),
            expected.data(), at_, static_cast<int>(std::min<std::size_t>(text_.size() - at_, 80)),
            text_.data() + at_);
        std::abort();
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

std::string Cp932OrQuestionMarks(std::string_view utf8) {
    std::string out;
    for (const auto& ch : fuzz::icu932::TypedChars(utf8))
        out += ch.form ? *ch.form : std::string("?");
    return out;
}

void CheckClassic(const GradientTextOptions& o, const std::vector<Entry>& entries,
                  std::string_view output) {
    const std::string end = o.lineMode ? o.lineEnd : std::string();
    std::string open, close;
    const auto tag = [&](bool on, std::string_view name) {
        if (!on)
            return;
        open += "<" + std::string(name) + ">";
        close.insert(0, "</" + std::string(name) + ">");
    };
    tag(o.bold, "B");
    tag(o.italic, "I");
    tag(o.underline, "U");
    tag(o.strikeOut, "S");
    tag(o.tt, "TT");
    tag(o.blink, "BLINK");
    tag(o.tateIchi && (o.sup || o.sub), o.sup ? "SUP" : "SUB");
    const bool perChar = o.scope == TagScope::Char;
    std::string size;
    if (!o.sizeText.empty())
        size = " Size=\"" +
               (o.encoding == TextEncoding::Cp932 ? Cp932OrQuestionMarks(o.sizeText) : o.sizeText) +
               "\"";

    Reader r(output);
    const std::size_t none = static_cast<std::size_t>(-1);
    if (o.page)
        for (const char* line :
             {"<!DOCTYPE html>", "<html lang=\"ja\">", "<head>", "<meta charset=\"utf-8\">",
              "<title>ティンソラ</title>", "</head>", "<body>", "<main>"})
            r.Expect(line + o.lineEnd, "the page's start", none);
    const std::size_t bodyStart = r.Position();
    const auto entry = [&](const std::string& text, const char* what) {
        r.Expect(text + end, what, none);
    };
    if (o.marquee) {
        std::string line = "<MARQUEE Direction=\"";
        line += o.marqueeDirection == MarqueeDirection::Left ? "left\" " : "right\" ";
        line += "Behavior=\"";
        line += o.marqueeBehavior == MarqueeBehavior::Scroll  ? "scroll\">"
                : o.marqueeBehavior == MarqueeBehavior::Slide ? "slide\">"
                                                              : "alternate\">";
        entry(line, "the marquee");
    }
    if (!perChar)
        entry(open, "the opening tags");
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const Entry& e = entries[k];
        if (e.lineBreak) {
            r.Expect("<BR>" + end, "a line break", k);
            continue;
        }
        r.Expect("<FONT Color=\"#", "a character entry", k);
        const ColorRGB colour = r.Colour(k);
        if (colour != e.color) {
            std::fprintf(
                stderr,
                "gradient text: entry %zu: colour %02X%02X%02X, the model says %02X%02X%02X\n", k,
                colour.Red, colour.Green, colour.Blue, e.color.Red, e.color.Green, e.color.Blue);
            std::abort();
        }
        r.Expect("\"" + size + ">" + (perChar ? open : std::string()), "the attributes", k);
        r.Expect(e.text, "the character", k);
        r.Expect((perChar ? close : std::string()) + "</FONT>" + end, "the entry's end", k);
    }
    if (!perChar)
        entry(close, "the closing tags");
    if (o.marquee)
        entry("</MARQUEE>", "the marquee's end");
    if (o.page) {
        if (!o.lineMode && r.Position() != bodyStart)
            r.Expect(o.lineEnd, "the line end after the joined entries", none);
        for (const char* line : {"</main>", "</body>", "</html>"})
            r.Expect(line + o.lineEnd, "the page's end", none);
    }
    FUZZ_CHECK(r.AtEnd());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    GradientTextOptions o;
    fuzz::TakeTextOptions(in, o);
    o.encoding = in.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Cp932;
    o.lineMode = in.ConsumeBool();
    o.lineEnd = in.ConsumeBool() ? std::string("\n") : std::string("\r\n");
    o.page = o.encoding == TextEncoding::Utf8 && in.ConsumeIntegralInRange(0, 7) == 0;
    const bool file = in.ConsumeBool();
    std::string bytes;
    if (file) {
        o.source = GradientTextSource::File;
        bytes = fuzz::FileText(in);
        o.fileBytes = bytes;
    } else {
        o.text = fuzz::TypedText(in);
    }

    // The model's errors: the size box first, then (typed) the count box.
    std::optional<std::string> expectedError;
    const auto sizeNumber =
        o.sizeText.empty() ? std::optional<std::int32_t>(3) : fuzz::ExpectedInt(o.sizeText);
    std::optional<std::int32_t> count = 2;
    if (!sizeNumber) {
        expectedError = fuzz::NotAnIntegerMessage(o.sizeText);
    } else if (!file && !o.colorCountText.empty()) {
        count = fuzz::ExpectedInt(o.colorCountText);
        if (!count)
            expectedError = fuzz::NotAnIntegerMessage(o.colorCountText);
    }

    StringSink sink;
    const auto error = fuzz::ErrorOf([&] { WriteGradientText(o, sink); });
    FUZZ_CHECK_SAME(error, expectedError);
    FUZZ_CHECK(fuzz::ErrorOf([&] { CheckGradientText(o); }) == expectedError);
    GradientTextPreview preview;
    FUZZ_CHECK(fuzz::ErrorOf([&] { preview = MakeGradientTextPreview(o); }) == expectedError);
    if (error) {
        FUZZ_CHECK(sink.Text().empty());
        return 0;
    }

    const int d = Segments(o, *count);
    const std::vector<Entry> entries = file ? FileModel(o) : TypedModel(o, d);
    CheckClassic(o, entries, sink.Text());

    // The preview draws the typed characters, each at its byte position.
    const std::int64_t k = *sizeNumber;
    FUZZ_CHECK(preview.previewSize == 4 * k + k / 2);
    FUZZ_CHECK(preview.bold == o.bold && preview.italic == o.italic &&
               preview.underline == o.underline && preview.strikeOut == o.strikeOut);
    if (file) {
        FUZZ_CHECK(preview.glyphs.empty());
        return 0;
    }
    std::size_t g = 0;
    const auto typed = fuzz::icu932::TypedChars(o.text);
    std::size_t j = 0;
    for (const Entry& e : entries) {
        if (e.lineBreak) {
            j += 2;
            continue;
        }
        FUZZ_CHECK(g < preview.glyphs.size());
        const PreviewGlyph& glyph = preview.glyphs[g++];
        FUZZ_CHECK(glyph.Text() == typed[j++].utf8);
        FUZZ_CHECK(glyph.color == e.color);
        FUZZ_CHECK(glyph.x == e.position * (preview.previewSize - 5) + 5);
    }
    FUZZ_CHECK(g == preview.glyphs.size());
    return 0;
}
