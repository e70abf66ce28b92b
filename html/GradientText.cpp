#include "html/GradientText.h"

#include "color/Contrast.h"
#include "html/GradientWalk.h"
#include "html/HtmlOutput.h"
#include "html/Markup.h"
#include "text/Cp932.h"
#include "text/LineReader.h"
#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tinsora {

namespace {

// ---- What a run settles before it writes anything.

struct Settled {
    std::int64_t sizeNumber = 3; // the size box as a number, for the preview
    int segments = 1;            // colour segments of a typed string
};

Settled Settle(const GradientTextOptions& o) {
    // The four corners of a text file are no gradient that one element can show in every
    // browser (Firefox does not clip an outer background to a masked inner element's text).
    if (o.style == OutputStyle::Html5 && o.cssGradient && o.source == GradientTextSource::File)
        throw CssGradientFileError();
    Settled s;
    s.sizeNumber = o.sizeText.empty() ? 3 : TextToInt(o.sizeText);
    s.segments = std::clamp(o.lastGradColor, 1, 3);
    if (o.source == GradientTextSource::Typed && !o.colorCountText.empty())
        s.segments = std::clamp(TextToInt(o.colorCountText), 2, 4) - 1;
    return s;
}

// ---- The walk over a typed string: which colour each character gets.

bool IsEscapeAt(const std::vector<Cp932Char>& chars, std::size_t j) {
    const auto is = [&](std::size_t k, char byte) {
        return k < chars.size() && chars[k].mapped && chars[k].width == 1 &&
               chars[k].cp932[0] == byte;
    };
    return is(j, '\\') && is(j + 1, 'n');
}

// Calls visit.Char(index, colour, byte position) for every character and visit.Break() for
// every line-break escape, in order.
template <typename Visit>
void WalkTyped(const std::vector<Cp932Char>& chars, int segments, const GradientColors& colors,
               Visit& visit) {
    std::int64_t len = 0;
    for (const Cp932Char& ch : chars)
        len += ch.width;
    const std::int64_t segmentLength = len / segments;
    const auto divisor = static_cast<std::int32_t>((len - 1) / segments);
    std::int64_t position = 0; // P: the byte position in code page 932, never reset
    std::int64_t lastWidth = 1;
    std::size_t j = 0;
    for (int k = 0; k < segments; ++k) {
        const ColorRGB& from = colors[static_cast<std::size_t>(k)];
        const ColorRGB& to = colors[static_cast<std::size_t>(k) + 1];
        // The last segment runs on to the end of the text, carrying on its steps.
        const bool last = k == segments - 1;
        std::int64_t s = 0;
        while ((last || s < segmentLength) && j < chars.size()) {
            if (IsEscapeAt(chars, j)) {
                visit.Break();
                j += 2;
                position += 2;
                s += lastWidth;
                continue;
            }
            const auto step = [&](std::int32_t a, std::int32_t b) {
                return ClampChannel(GradientStep(a, b, divisor, static_cast<std::int32_t>(s)));
            };
            visit.Char(j,
                       ColorRGB{step(from.Red, to.Red), step(from.Green, to.Green),
                                step(from.Blue, to.Blue)},
                       position);
            const int width = chars[j].width;
            position += width;
            s += width;
            lastWidth = width;
            ++j;
        }
    }
}

// Calls visit.Char(index) for every character and visit.Break() for every line-break escape,
// in the order of WalkTyped, for a visit that needs no colours.
template <typename Visit> void WalkTypedChars(const std::vector<Cp932Char>& chars, Visit& visit) {
    for (std::size_t j = 0; j < chars.size(); ++j) {
        if (IsEscapeAt(chars, j)) {
            visit.Break();
            ++j;
        } else {
            visit.Char(j);
        }
    }
}

// ---- The walk over a text file: the lines are the rows of a four-corner gradient.

std::array<bool, 256> LeadBytes() {
    std::array<bool, 256> lead{};
    for (int b = 0; b < 256; ++b)
        lead[static_cast<std::size_t>(b)] = IsLeadByte(static_cast<unsigned char>(b));
    return lead;
}

// Calls f(x, width) for every character of a line of a file, x its first byte.
template <typename F> void ForEachChar(std::string_view line, F&& f) {
    static const std::array<bool, 256> lead = LeadBytes();
    std::size_t x = 0;
    while (x < line.size()) {
        // A lead byte at the end of a line stands alone.
        const std::size_t width =
            lead[static_cast<unsigned char>(line[x])] && x + 1 < line.size() ? 2 : 1;
        f(x, width);
        x += width;
    }
}

// One channel's values along the lines of a file. Lines next to each other mostly have the
// same edge colours (a line's edges step once every many lines), so the values are kept and
// made again only when the edges change, and then only as far as the lines reach.
class ChannelRow {
public:
    /// The values at positions 0 .. upTo - 1 of a line with these edges.
    const std::int32_t* Prepare(std::int32_t left, std::int32_t right, std::int32_t n,
                                std::size_t upTo) {
        if (!walk_ || left != left_ || right != right_) {
            left_ = left;
            right_ = right;
            walk_.emplace(left, right, n);
            values_.clear();
        }
        while (values_.size() < upTo) {
            values_.push_back(walk_->Value());
            walk_->Next();
        }
        return values_.data();
    }

private:
    std::int32_t left_ = 0;
    std::int32_t right_ = 0;
    std::optional<StepWalk> walk_;
    std::vector<std::int32_t> values_;
};

// Lines up to this long keep their channel values in ChannelRows; longer ones are walked
// character by character, so that a file of one huge line takes no memory beyond its output.
constexpr std::size_t kKeptLine = std::size_t{1} << 16;

// Calls visit.Char(bytes, colour) for every character of every line and visit.LineEnd(done,
// total) after every line, done and total in bytes of the file. The text is read twice: once
// for the number of lines and the longest, once for the characters. A walk for the colours
// alone (kColorsOnly) passes over characters whose colour it has met before.
template <bool kColorsOnly = false, typename Visit>
void WalkFile(std::string_view bytes, const GradientColors& c, Visit& visit) {
    std::size_t lines = 0;
    std::size_t maxLen = 0;
    std::string_view line;
    for (LineReader reader(bytes); reader.Next(line); ++lines)
        maxLen = std::max(maxLen, line.size());

    const auto lineDivisor = static_cast<std::int32_t>(lines) - 1;
    const auto charDivisor = static_cast<std::int32_t>(maxLen) - 1;
    // A divisor of zero (a longest line of one byte) gives every line its left edge.
    const std::int32_t n = std::max(charDivisor, 1);
    const bool toRight = charDivisor > 0;
    const std::uint64_t total = bytes.size();
    const bool keep = maxLen <= kKeptLine;
    std::array<ChannelRow, 3> kept;
    // Lines with the same edges have the same colour at the same place, so the colours alone
    // are found by taking each place once in a run of such lines: metIn holds the run in which
    // each place was last taken, and a line no longer than the places all taken is passed over.
    std::vector<std::uint32_t> metIn(kColorsOnly && keep ? maxLen : 0);
    std::uint32_t run = 0;
    std::size_t metUpTo = 0; // the places before it were all taken in this run
    std::array<std::int32_t, 3> runLeft{-1, -1, -1};
    std::array<std::int32_t, 3> runRight{-1, -1, -1};

    // Calls visit.Char for the characters of a line, colour(x, width) giving the colour of
    // the one at byte x and moving on past it.
    const auto walkLine = [&](std::string_view text, auto&& colour) {
        ForEachChar(text, [&](std::size_t x, std::size_t width) {
            visit.Char(std::string_view(text.data() + x, width), colour(x, width));
            if (((x + width) & 4095) < width)
                visit.Progress(static_cast<std::uint64_t>(text.data() + x + width - bytes.data()),
                               total);
        });
    };

    constexpr std::array<std::int32_t ColorRGB::*, 3> channels = {&ColorRGB::Red, &ColorRGB::Green,
                                                                  &ColorRGB::Blue};
    std::int32_t row = 0;
    for (LineReader reader(bytes); reader.Next(line); ++row) {
        if (!line.empty()) {
            // Each channel runs along the line from its left edge (between colours 1 and 3)
            // to its right edge (between colours 2 and 4).
            std::array<std::int32_t, 3> left{};
            std::array<std::int32_t, 3> right{};
            for (std::size_t k = 0; k < 3; ++k) {
                const auto channel = channels[k];
                left[k] = static_cast<std::int32_t>(
                    GradientStep(c[0].*channel, c[2].*channel, lineDivisor, row));
                right[k] = toRight ? static_cast<std::int32_t>(GradientStep(
                                         c[1].*channel, c[3].*channel, lineDivisor, row))
                                   : left[k];
            }
            if constexpr (kColorsOnly) {
                if (left != runLeft || right != runRight) {
                    runLeft = left;
                    runRight = right;
                    ++run;
                    metUpTo = 0;
                }
            }
            const bool skip = kColorsOnly && keep && line.size() <= metUpTo;
            if (keep && !skip) {
                const std::int32_t* red = kept[0].Prepare(left[0], right[0], n, line.size());
                const std::int32_t* green = kept[1].Prepare(left[1], right[1], n, line.size());
                const std::int32_t* blue = kept[2].Prepare(left[2], right[2], n, line.size());
                if constexpr (kColorsOnly) {
                    ForEachChar(line, [&](std::size_t x, std::size_t width) {
                        if (metIn[x] == run)
                            return;
                        metIn[x] = run;
                        visit.Char(std::string_view(line.data() + x, width),
                                   ColorRGB{red[x], green[x], blue[x]});
                    });
                    while (metUpTo < line.size() && metIn[metUpTo] == run)
                        ++metUpTo;
                } else {
                    walkLine(line, [&](std::size_t x, std::size_t) {
                        return ColorRGB{red[x], green[x], blue[x]};
                    });
                }
            } else if (!keep) {
                StepWalk red(left[0], right[0], n);
                StepWalk green(left[1], right[1], n);
                StepWalk blue(left[2], right[2], n);
                walkLine(line, [&](std::size_t, std::size_t width) {
                    const ColorRGB color{red.Value(), green.Value(), blue.Value()};
                    for (std::size_t k = 0; k < width; ++k) {
                        red.Next();
                        green.Next();
                        blue.Next();
                    }
                    return color;
                });
            }
        }
        visit.LineEnd(static_cast<std::uint64_t>(line.data() + line.size() - bytes.data()), total);
    }
}

// ---- How one character is written.

// The code point of one well-formed UTF-8 character.
std::int32_t CodePoint(std::string_view u) {
    return static_cast<std::int32_t>(DecodeUtf8(u.data(), u.data() + u.size()).codePoint);
}

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One typed character as the output holds it.
std::string TypedCharText(const std::string& text, const Cp932Char& ch, OutputStyle style,
                          TextEncoding encoding, bool attribute = false) {
    const std::string_view utf8 = std::string_view(text).substr(ch.offset, ch.length);
    const std::string_view cp932(ch.cp932, static_cast<std::size_t>(ch.width));
    if (style == OutputStyle::Classic) {
        if (encoding == TextEncoding::Utf8)
            return std::string(utf8);
        if (ch.mapped)
            return std::string(cp932);
        // No form in code page 932: a reference, which a browser shows as the character.
        const bool wellFormed = ch.width == 2;
        return DecimalCharReference(wellFormed ? CodePoint(utf8) : 0xFFFD);
    }
    const bool wellFormed = ch.mapped || ch.width == 2;
    const std::int32_t cp = wellFormed ? CodePoint(utf8) : -1;
    std::string form = Html5CharForm(cp, encoding, attribute);
    if (!form.empty())
        return form;
    if (encoding == TextEncoding::Utf8)
        return std::string(utf8);
    return ch.mapped ? std::string(cp932) : CharReference(cp);
}

// Whole entries, head + form + tail, one after another in one arena; a slot says where one is.
class KeptForms {
public:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t length = kEmpty;
    };

    KeptForms(std::string_view head, std::string_view tail) : head_(head), tail_(tail) {}

    Slot Keep(std::string_view form) {
        Slot slot;
        slot.offset = static_cast<std::uint32_t>(kept_.size());
        kept_ += head_;
        kept_ += form;
        kept_ += tail_;
        slot.length = static_cast<std::uint32_t>(kept_.size() - slot.offset);
        return slot;
    }
    std::string_view Of(Slot slot) const {
        return std::string_view(kept_.data() + slot.offset, slot.length);
    }

private:
    std::string head_;
    std::string tail_;
    std::string kept_;
};

// The output form of every code page 932 character of a file, made on first use: the
// conversion is asked once per distinct character, not once per character. With a head and
// a tail, each form is kept as a whole entry, head + form + tail.
class FileChars {
public:
    FileChars(OutputStyle style, TextEncoding encoding, bool attribute = false,
              std::string_view head = {}, std::string_view tail = {})
        : style_(style), encoding_(encoding), attribute_(attribute), slots_(256),
          kept_(head, tail) {}

    std::string_view Get(std::string_view cp932) {
        return Get(cp932, [&] { return Form(cp932); });
    }
    /// The same with the form, on first use, from form().
    template <typename MakeForm> std::string_view Get(std::string_view cp932, MakeForm&& form) {
        const auto first = static_cast<unsigned char>(cp932[0]);
        std::size_t index = first;
        if (cp932.size() == 2) {
            // The slots of the pairs of a lead byte are made when the first of them is met:
            // a text uses few lead bytes, and untouched slots cost no page faults.
            std::uint16_t& row = row_[first];
            if (row == 0) {
                row = static_cast<std::uint16_t>(slots_.size() >> 8);
                slots_.resize(slots_.size() + 256);
            }
            index = std::size_t{row} << 8 | static_cast<unsigned char>(cp932[1]);
        }
        KeptForms::Slot& slot = slots_[index];
        if (slot.length == KeptForms::kEmpty)
            slot = kept_.Keep(form());
        return kept_.Of(slot);
    }

private:
    std::string Form(std::string_view cp932) const {
        std::string utf8;
        AppendCp932AsUtf8(utf8, cp932);
        if (style_ == OutputStyle::Classic)
            return encoding_ == TextEncoding::Utf8 ? utf8 : std::string(cp932);
        // A lone lead byte or an unassigned pair decodes to U+FFFD: no character.
        std::string form =
            Html5CharForm(utf8 == kReplacementUtf8 ? -1 : CodePoint(utf8), encoding_, attribute_);
        if (form.empty())
            form = encoding_ == TextEncoding::Utf8 ? utf8 : std::string(cp932);
        return form;
    }

    OutputStyle style_;
    TextEncoding encoding_;
    bool attribute_;
    std::array<std::uint16_t, 256> row_{}; // the row of slots of each lead byte, 0 for none yet
    std::vector<KeptForms::Slot> slots_;   // row 0: the single bytes
    KeptForms kept_;
};

// The output form of every character of a typed text, made once per distinct character and
// kept as FileChars keeps them. A character with a code page 932 form is the only one with
// those bytes (they decode back to it), so they are its key; the few without one are kept by
// their UTF-8 bytes.
class TypedChars {
public:
    TypedChars(const std::string& text, OutputStyle style, TextEncoding encoding,
               bool attribute = false, std::string_view head = {}, std::string_view tail = {})
        : text_(text), style_(style), encoding_(encoding), attribute_(attribute),
          mapped_(style, encoding, attribute, head, tail), kept_(head, tail) {}

    std::string_view Get(const Cp932Char& ch) {
        const auto form = [&] { return TypedCharText(text_, ch, style_, encoding_, attribute_); };
        if (ch.mapped)
            return mapped_.Get(std::string_view(ch.cp932, static_cast<std::size_t>(ch.width)),
                               form);
        // A character is at most four bytes: they and their number make the key.
        std::uint64_t key = ch.length;
        for (std::size_t k = 0; k < ch.length; ++k)
            key = key << 8 | static_cast<unsigned char>(text_[ch.offset + k]);
        const auto [at, added] = unmapped_.try_emplace(key);
        if (added)
            at->second = kept_.Keep(form());
        return kept_.Of(at->second);
    }

private:
    const std::string& text_;
    OutputStyle style_;
    TextEncoding encoding_;
    bool attribute_;
    FileChars mapped_;
    std::unordered_map<std::uint64_t, KeptForms::Slot> unmapped_;
    KeptForms kept_;
};

// ---- Writing.

// Writes character entries, each a whole entry whose colour digits go in at hexAt, and the
// line breaks between them.
class TextWriter {
public:
    TextWriter(OutputBuffer& out, const TextMarkup& m, std::string_view entryEnd)
        : out_(out), hexAt_(m.hexAt), lineBreak_(m.lineBreak + std::string(entryEnd)) {}

    void Char(const ColorRGB& color, std::string_view entry) {
        char* p = out_.Room(entry.size());
        std::memcpy(p, entry.data(), entry.size());
        WriteHexColor(p + hexAt_, color);
        out_.Commit(p + entry.size());
    }
    void Break() { out_.Append(lineBreak_); }
    void Progress(std::uint64_t done, std::uint64_t total) { out_.Progress(done, total); }

private:
    OutputBuffer& out_;
    std::size_t hexAt_;
    std::string lineBreak_;
};

// Entries in their final form. In the HTML5 style the line mode breaks lines inside the tag
// that ends each entry ("</span\n>"), so that no blank comes between the characters and the
// text shows as joined; an entry left empty is no entry there.
struct Entries {
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::string entryEnd; // after every entry
    std::string lastEnd;  // after the last entry of after, instead
};

std::string BreakInTag(const std::string& entry, std::string_view lineEnd) {
    return entry.substr(0, entry.size() - 1) + std::string(lineEnd) + ">";
}

Entries FinalEntries(TextMarkup& m, const GradientTextOptions& o) {
    Entries e;
    const std::string_view lineEnd = o.lineMode ? std::string_view(o.lineEnd) : std::string_view();
    if (o.style == OutputStyle::Classic) {
        e.before = m.before;
        e.after = m.after;
        e.entryEnd = e.lastEnd = lineEnd;
        return e;
    }
    const auto keep = [&](const std::vector<std::string>& from, std::vector<std::string>& to,
                          std::size_t* at) {
        const std::size_t mark = at ? *at : 0;
        for (std::size_t k = 0; k < from.size(); ++k) {
            if (at && k == mark)
                *at = to.size();
            if (!from[k].empty())
                to.push_back(lineEnd.empty() ? from[k] : BreakInTag(from[k], lineEnd));
        }
        if (at && mark >= from.size())
            *at = to.size();
    };
    keep(m.before, e.before, &m.labelAt);
    keep(m.after, e.after, nullptr);
    if (!lineEnd.empty()) {
        m.charTail = BreakInTag(m.charTail, lineEnd);
        m.lineBreak = BreakInTag(m.lineBreak, lineEnd);
        e.after.back() = m.after.back() + std::string(lineEnd); // the last ends its line
        e.lastEnd.clear();
    }
    return e;
}

// Writes one character's form. A form is a few bytes: copied by hand, not by a call to memcpy,
// which costs more than the copy and mispredicts on lengths that change from one to the next;
// and inlined into the walks, which call it for every character.
[[gnu::always_inline]] inline void WriteForm(OutputBuffer& out, std::string_view form) {
    char* p = out.Room(form.size());
    for (const char c : form)
        *p++ = c;
    out.Commit(p);
}

// The text's characters as one text (no colours), each character's form and each line
// break's written into out.
void WriteTextForms(const GradientTextOptions& o, const std::vector<Cp932Char>& chars,
                    bool attribute, std::string_view lineBreak, OutputBuffer& out) {
    if (o.source == GradientTextSource::File) {
        FileChars forms(o.style, o.encoding, attribute);
        std::string_view line;
        bool first = true;
        for (LineReader reader(o.fileBytes); reader.Next(line); first = false) {
            if (!first)
                out.Append(lineBreak);
            ForEachChar(line, [&](std::size_t x, std::size_t width) {
                const std::string_view form = forms.Get(std::string_view(line.data() + x, width));
                WriteForm(out, form);
            });
        }
        return;
    }
    struct Visit {
        TypedChars forms;
        std::string_view lineBreak;
        OutputBuffer& out;
        const std::vector<Cp932Char>& chars;
        void Char(std::size_t j) { WriteForm(out, forms.Get(chars[j])); }
        void Break() { out.Append(lineBreak); }
    } visit{TypedChars(o.text, o.style, o.encoding, attribute), lineBreak, out, chars};
    WalkTypedChars(chars, visit);
}

// Whether the text holds anything but blanks and line breaks: a name of those alone names
// nothing.
bool HasVisibleText(const GradientTextOptions& o, const std::vector<Cp932Char>& chars) {
    if (o.source == GradientTextSource::File) {
        for (const char c : o.fileBytes) {
            if (c == '\0')
                return false;
            if (!IsHtmlBlank(static_cast<unsigned char>(c)))
                return true;
        }
        return false;
    }
    struct Visit {
        const GradientTextOptions& o;
        const std::vector<Cp932Char>& chars;
        bool visible = false;
        void Char(std::size_t j) {
            const Cp932Char& ch = chars[j];
            visible = visible || ch.length != 1 || !IsHtmlBlank(o.text[ch.offset]);
        }
        void Break() {}
    } visit{o, chars};
    WalkTypedChars(chars, visit);
    return visit.visible;
}

// Whether the walk meets any character: a file with a line that is not empty, a typed string
// with more than line-break escapes.
bool HasCharacters(const GradientTextOptions& o, const std::vector<Cp932Char>& chars) {
    if (o.source == GradientTextSource::File) {
        const std::string_view text = o.fileBytes.substr(0, o.fileBytes.find('\0'));
        return text.find_first_not_of("\r\n") != std::string_view::npos;
    }
    struct Visit {
        bool any = false;
        void Char(std::size_t) { any = true; }
        void Break() {}
    } visit;
    WalkTypedChars(chars, visit);
    return visit.any;
}

// Calls f(colour) for the characters' colours in the order of the walk: for every character
// of a typed text; for a file, for each character whose colour may not have been met before
// (so for every distinct colour in the order they are first met, and for the extreme ones).
template <typename Visit>
void WalkColors(const GradientTextOptions& o, const Settled& s, const std::vector<Cp932Char>& chars,
                OutputBuffer* out, Visit& f) {
    if (o.source == GradientTextSource::File) {
        struct FileVisit {
            Visit& f;
            OutputBuffer* out;
            void Char(std::string_view, const ColorRGB& c) { f(c); }
            void LineEnd(std::uint64_t done, std::uint64_t total) { Progress(done, total); }
            void Progress(std::uint64_t done, std::uint64_t total) {
                if (out)
                    out->Progress(done, total);
            }
        } visit{f, out};
        WalkFile<true>(o.fileBytes, o.gradColors, visit);
        return;
    }
    struct TypedVisit {
        Visit& f;
        void Char(std::size_t, const ColorRGB& c, std::int64_t) { f(c); }
        void Break() {}
    } visit{f};
    WalkTyped(chars, s.segments, o.gradColors, visit);
}

void WriteTypedEntries(const GradientTextOptions& o, const Settled& s,
                       const std::vector<Cp932Char>& chars, const TextMarkup& m,
                       std::string_view entryEnd, OutputBuffer& out) {
    struct Visit {
        TypedChars forms;
        const std::vector<Cp932Char>& chars;
        TextWriter writer;
        std::uint64_t total;
        void Char(std::size_t j, const ColorRGB& color, std::int64_t) {
            writer.Char(color, forms.Get(chars[j]));
            if ((j & 1023) == 1023)
                writer.Progress(j + 1, total);
        }
        void Break() { writer.Break(); }
    } visit{TypedChars(o.text, o.style, o.encoding, false, m.charHead,
                       m.charTail + std::string(entryEnd)),
            chars, TextWriter(out, m, entryEnd), chars.size()};
    WalkTyped(chars, s.segments, o.gradColors, visit);
    out.Progress(chars.size(), chars.size());
}

void WriteFileEntries(const GradientTextOptions& o, const TextMarkup& m, std::string_view entryEnd,
                      OutputBuffer& out) {
    FileChars forms(o.style, o.encoding, false, m.charHead, m.charTail + std::string(entryEnd));
    struct Visit {
        FileChars& forms;
        TextWriter writer;
        void Char(std::string_view bytes, const ColorRGB& color) {
            writer.Char(color, forms.Get(bytes));
        }
        void LineEnd(std::uint64_t done, std::uint64_t total) {
            writer.Break();
            writer.Progress(done, total);
        }
        void Progress(std::uint64_t done, std::uint64_t total) { writer.Progress(done, total); }
    } visit{forms, TextWriter(out, m, entryEnd)};
    WalkFile(o.fileBytes, o.gradColors, visit);
}

} // namespace

Error CssGradientFileError() {
    return Error(MessageCode::CssGradientFile, {});
}

void CheckGradientText(const GradientTextOptions& options) {
    Settle(options);
}

void WriteGradientText(const GradientTextOptions& options, OutputSink& sink) {
    const Settled settled = Settle(options);
    const bool html5 = options.style == OutputStyle::Html5;
    TextMarkup markup =
        html5 ? Html5TextMarkup(options, settled.segments) : ClassicTextMarkup(options);
    const Entries entries = FinalEntries(markup, options);
    const std::vector<Cp932Char> chars = options.source == GradientTextSource::Typed
                                             ? Cp932Chars(options.text)
                                             : std::vector<Cp932Char>();
    OutputBuffer out(sink);
    OutputFrame frame(out, options);
    const auto entry = [&](std::string_view e) {
        out.Append(e);
        out.Append(entries.entryEnd);
    };

    // The style sheet: the fixed rules, and with class rules one per colour, found by a walk
    // of its own before the characters are written.
    const bool anyColor = !markup.colorRule.Empty() && HasCharacters(options, chars);
    frame.Begin(!markup.rules.empty() || anyColor, [&] {
        frame.HeadLine("<style>");
        for (const std::string& rule : markup.rules)
            frame.HeadLine(rule);
        if (anyColor) {
            ColorRuleLines lines(markup.colorRule, frame.HeadLineEnd());
            auto write = [&](const ColorRGB& color) { lines.Write(out, color); };
            WalkColors(options, settled, chars, &out, write);
        }
        frame.HeadLine("</style>");
    });

    const std::size_t labelAt = markup.labelled ? markup.labelAt : entries.before.size();
    for (std::size_t k = 0; k < entries.before.size(); ++k) {
        if (k == labelAt)
            break;
        entry(entries.before[k]);
    }
    if (markup.labelled) {
        // The element that names the characters with the whole text; a text of blanks alone
        // has no name to give.
        std::string open = "<span>";
        if (HasVisibleText(options, chars)) {
            out.Append("<span role=\"img\" aria-label=\"");
            WriteTextForms(options, chars, true, "&#xA;", out);
            open = "\">";
        }
        entry(options.lineMode ? BreakInTag(open, options.lineEnd) : open);
        for (std::size_t k = labelAt; k < entries.before.size(); ++k)
            entry(entries.before[k]);
    }
    if (markup.plain) {
        const std::string lineBreak = markup.lineBreak + std::string(entries.entryEnd);
        WriteTextForms(options, chars, false, lineBreak, out);
    } else if (options.source == GradientTextSource::File) {
        WriteFileEntries(options, markup, entries.entryEnd, out);
    } else {
        WriteTypedEntries(options, settled, chars, markup, entries.entryEnd, out);
    }
    for (std::size_t k = 0; k < entries.after.size(); ++k) {
        out.Append(entries.after[k]);
        out.Append(k + 1 == entries.after.size() ? entries.lastEnd : entries.entryEnd);
    }
    frame.End();
    out.Flush();
}

std::optional<ColorRGB> LowestContrastColor(const GradientTextOptions& options,
                                            const ColorRGB& background) {
    const Settled settled = Settle(options);
    std::optional<ColorRGB> lowest;
    double ratio = 0;
    auto visit = [&](const ColorRGB& c) {
        const double r = ContrastRatio(c, background);
        if (!lowest || r < ratio) {
            lowest = c;
            ratio = r;
        }
    };
    const std::vector<Cp932Char> chars = options.source == GradientTextSource::Typed
                                             ? Cp932Chars(options.text)
                                             : std::vector<Cp932Char>();
    WalkColors(options, settled, chars, nullptr, visit);
    return lowest;
}

GradientTextPreview MakeGradientTextPreview(const GradientTextOptions& options) {
    const Settled settled = Settle(options);
    GradientTextPreview preview;
    preview.previewSize = 4 * settled.sizeNumber + settled.sizeNumber / 2;
    preview.bold = options.bold;
    preview.italic = options.italic;
    preview.underline = options.underline;
    preview.strikeOut = options.strikeOut;
    if (options.source == GradientTextSource::File)
        return preview;
    const std::vector<Cp932Char> chars = Cp932Chars(options.text);
    struct Glyphs {
        const GradientTextOptions& o;
        const std::vector<Cp932Char>& chars;
        GradientTextPreview& preview;
        void Char(std::size_t j, const ColorRGB& color, std::int64_t position) {
            const Cp932Char& ch = chars[j];
            PreviewGlyph glyph;
            glyph.length = static_cast<std::uint8_t>(std::min<std::size_t>(ch.length, 4));
            std::memcpy(glyph.bytes, o.text.data() + ch.offset, glyph.length);
            glyph.color = color;
            glyph.x = position * (preview.previewSize - 5) + 5;
            preview.glyphs.push_back(glyph);
        }
        void Break() {}
    } glyphs{options, chars, preview};
    preview.glyphs.reserve(chars.size());
    WalkTyped(chars, settled.segments, options.gradColors, glyphs);
    return preview;
}

} // namespace tinsora
