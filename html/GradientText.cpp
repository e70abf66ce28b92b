#include "html/GradientText.h"

#include "text/Cp932.h"
#include "text/TextFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <utility>

// Keeps a hot loop in a function of its own, where it gets the registers to itself.
#if defined(__GNUC__)
#define TINSORA_NOINLINE [[gnu::noinline]]
#elif defined(_MSC_VER)
#define TINSORA_NOINLINE __declspec(noinline)
#else
#define TINSORA_NOINLINE
#endif

namespace tinsora {

namespace {

constexpr std::string_view kFontStart = "<FONT Color=\"#";
constexpr std::string_view kBr = "<BR>";
constexpr std::string_view kMarqueeEnd = "</MARQUEE>";
// Code page 932 lies within the basic plane: a byte of it never becomes more
// than three bytes of UTF-8; a typed character is at most four.
constexpr std::size_t kLongestUtf8PerCp932Byte = 3;
constexpr std::size_t kLongestTypedChar = 4;

void WriteHex(char* out, std::int64_t channel) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const auto v = static_cast<unsigned>(ClampChannel(channel));
    out[0] = digits[v >> 4];
    out[1] = digits[v & 15];
}

struct DecorationTags {
    std::string open;
    std::string close;

    void Wrap(std::string_view openTag, std::string_view closeTag) {
        open += openTag;
        close.insert(0, closeTag);
    }
};

DecorationTags MakeDecorationTags(const GradientTextOptions& o) {
    DecorationTags tags;
    if (o.bold)
        tags.Wrap("<B>", "</B>");
    if (o.italic)
        tags.Wrap("<I>", "</I>");
    if (o.underline)
        tags.Wrap("<U>", "</U>");
    if (o.strikeOut)
        tags.Wrap("<S>", "</S>");
    if (o.tt)
        tags.Wrap("<TT>", "</TT>");
    if (o.blink)
        tags.Wrap("<BLINK>", "</BLINK>");
    if (o.tateIchi) {
        if (o.sup)
            tags.Wrap("<SUP>", "</SUP>");
        else if (o.sub)
            tags.Wrap("<SUB>", "</SUB>");
    }
    return tags;
}

std::string MakeMarqueeLine(const GradientTextOptions& o) {
    std::string line = "<MARQUEE Direction=\"";
    line += o.marqueeDirection == MarqueeDirection::Right ? "right\" " : "left\" ";
    line += "Behavior=\"";
    switch (o.marqueeBehavior) {
    case MarqueeBehavior::Scroll:
        line += "scroll\">";
        break;
    case MarqueeBehavior::Slide:
        line += "slide\">";
        break;
    case MarqueeBehavior::Alternate:
        line += "alternate\">";
        break;
    }
    return line;
}

// Short pieces are copied as one fixed-size block, which the compiler turns
// into a few wide moves instead of a call; pieces are padded to that size and
// the output keeps that much room beyond every entry.
constexpr std::size_t kBlockCopy = 64;

// A piece as two plain values, to be held in registers by a hot loop.
struct PieceView {
    const char* bytes;
    std::size_t size;

    char* CopyTo(char* out) const {
        if (size <= kBlockCopy / 4)
            std::memcpy(out, bytes, kBlockCopy / 4);
        else if (size <= kBlockCopy / 2)
            std::memcpy(out, bytes, kBlockCopy / 2);
        else if (size <= kBlockCopy)
            std::memcpy(out, bytes, kBlockCopy);
        else
            std::memcpy(out, bytes, size);
        return out + size;
    }
};

class Piece {
public:
    explicit Piece(std::string text) : size_(text.size()), bytes_(std::move(text)) {
        if (bytes_.size() < kBlockCopy)
            bytes_.resize(kBlockCopy);
    }

    std::size_t Size() const { return size_; }
    PieceView View() const { return PieceView{bytes_.data(), size_}; }
    char* CopyTo(char* out) const { return View().CopyTo(out); }

private:
    std::size_t size_;
    std::string bytes_;
};

// Writes entries in place into one buffer. Callers ask for room, write entries
// there with a cursor of their own, mark each entry's end and commit. The
// buffer grows ahead of the writing a block at a time (std::string fills what
// it grows, and a block at a time keeps that in cache). Collecting, the entry
// ends go to the lines and the buffer is cut back to the written bytes at the
// end; streaming, the buffer goes to the sink whenever it holds a batch and is
// then reused, and every entry carries the line end.
class EntryWriter {
public:
    explicit EntryWriter(HtmlLines& lines) : out_(lines.Text()), lines_(&lines) {
        used_ = out_.size();
    }
    EntryWriter(std::string& buffer, std::string_view lineEnd, const GradientTextSink& sink,
                std::size_t batchBytes)
        : out_(buffer), lineEnd_(lineEnd), sink_(&sink),
          batchBytes_(std::max<std::size_t>(batchBytes, 1)) {}

    std::string_view LineEnd() const { return lineEnd_; }
    bool Collecting() const { return lines_ != nullptr; }

    /// Capacity for an output of about bytes in entries (a batch of it when streaming).
    void Reserve(std::size_t bytes, std::size_t entries) {
        bytes += entries * lineEnd_.size() + kBlockCopy;
        if (lines_)
            lines_->Reserve(bytes, entries);
        else
            out_.reserve(std::min(bytes, batchBytes_ + kGrowth));
    }

    /// Where entries of at most n bytes in all (line ends included) go.
    char* Room(std::size_t n) {
        const std::size_t need = used_ + n + kBlockCopy;
        if (out_.size() < need)
            out_.resize(std::max(need, std::min(out_.capacity(), used_ + kGrowth)));
        return out_.data() + used_;
    }

    /// The lines entry ends go to, or null when streaming.
    HtmlLines* Lines() const { return lines_; }
    /// The start of the buffer, valid until the next Room().
    const char* Base() const { return out_.data(); }

    void MarkEnd(const char* end) {
        if (lines_)
            lines_->EndLineAt(static_cast<std::size_t>(end - out_.data()));
    }

    /// Takes the entries written into the room up to end.
    void Commit(const char* end) {
        used_ = static_cast<std::size_t>(end - out_.data());
        if (!lines_ && used_ >= batchBytes_)
            Flush();
    }

    void Add(std::string_view entry) {
        char* p = Room(entry.size() + lineEnd_.size());
        std::memcpy(p, entry.data(), entry.size());
        p += entry.size();
        for (const char c : lineEnd_)
            *p++ = c;
        MarkEnd(p);
        Commit(p);
    }

    void Finish() {
        if (lines_)
            out_.resize(used_);
        else
            Flush();
    }

private:
    static constexpr std::size_t kGrowth = std::size_t{1} << 16;

    void Flush() {
        if (used_ > 0)
            (*sink_)(std::string_view(out_.data(), used_));
        used_ = 0;
    }

    std::string& out_;
    HtmlLines* lines_ = nullptr;
    std::string_view lineEnd_;
    const GradientTextSink* sink_ = nullptr;
    std::size_t batchBytes_ = 0;
    std::size_t used_ = 0;
};

// The fixed text of a character entry around the character: a head ending in
// the opening tags, whose colour digits are written after it is copied (not
// patched into it: reading back bytes just written is a slow path), and a tail
// that ends with the writer's line end.
struct CharEntry {
    Piece head;
    Piece tail;

    CharEntry(std::string_view sizeAttr, std::string_view charOpen, std::string_view charClose,
              std::string_view lineEnd)
        : head(std::string(kFontStart) + "000000\"" + std::string(sizeAttr) + ">" +
               std::string(charOpen)),
          tail(std::string(charClose) + "</FONT>" + std::string(lineEnd)) {}

    /// Bytes of one entry apart from the character itself.
    std::size_t FixedSize() const { return head.Size() + tail.Size(); }

    static char* Digits(char* entryStart) { return entryStart + kFontStart.size(); }
};

// The colour digits of one channel along a line of a text file, kept while
// consecutive lines share the channel's edge values (neighbouring lines of a
// long file mostly do) and filled only as far as the lines reach.
class ChannelRow {
public:
    explicit ChannelRow(std::size_t maxLen) : hex_(maxLen) {}

    /// The digits for positions 0 to upTo - 1 of a line with these edges.
    const char* Prepare(std::int32_t left, std::int32_t right, std::int32_t divisor,
                        std::size_t upTo) {
        if (left != left_ || right != right_) {
            left_ = left;
            right_ = right;
            valid_ = 0;
        }
        for (; valid_ < upTo; ++valid_)
            WriteHex(hex_[valid_].data(),
                     GradientStep(left, right, divisor, static_cast<std::int32_t>(valid_)));
        // A file whose lines are all empty has no digits at all.
        return hex_.empty() ? nullptr : hex_.front().data();
    }

private:
    std::int32_t left_ = -1;
    std::int32_t right_ = -1;
    std::size_t valid_ = 0;
    std::vector<std::array<char, 2>> hex_;
};

std::int32_t Channel(const ColorRGB& c, int k) {
    return k == 0 ? c.Red : k == 1 ? c.Green : c.Blue;
}

// A character's UTF-8 form packed in one value: up to three bytes from the
// lowest up, and the byte count in the top byte. Not bytes in an array: the
// compiler must assume that a store of a char may change anything at all.
using PackedUtf8 = std::uint32_t;

char* AppendPackedUtf8(char* out, PackedUtf8 u) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &u, 4); // the top byte lands beyond the character, in the room
    } else {
        out[0] = static_cast<char>(u);
        out[1] = static_cast<char>(u >> 8);
        out[2] = static_cast<char>(u >> 16);
    }
    return out + (u >> 24);
}

// The UTF-8 form of every code page 932 character met so far, filled on first
// use: the decoder is asked once per distinct character, not once per character.
class Utf8Cache {
public:
    explicit Utf8Cache(const std::array<bool, 256>& lead) {
        // One row of 256 slots for the single bytes and one for each lead byte.
        std::uint16_t rows = 1;
        for (int b = 0; b < 256; ++b)
            row_[b] = lead[b] ? rows++ : 0;
        slots_.resize(std::size_t{rows} * 256);
    }

    /// The row of each byte as a lead byte, 0 for the others.
    const std::uint16_t* Rows() const { return row_.data(); }
    /// Rows of 256 slots: single bytes, then one row per lead byte; 0 until filled.
    PackedUtf8* Slots() { return slots_.data(); }

    TINSORA_NOINLINE static PackedUtf8 Fill(PackedUtf8& slot, std::string_view ch) {
        std::string u;
        AppendCp932AsUtf8(u, ch);
        if (u.empty() || u.size() > 3)
            u = "\xEF\xBF\xBD"; // cannot happen for code page 932; keeps the slot valid
        PackedUtf8 packed = static_cast<PackedUtf8>(u.size()) << 24;
        for (std::size_t k = 0; k < u.size(); ++k)
            packed |= PackedUtf8{static_cast<unsigned char>(u[k])} << (8 * k);
        return slot = packed;
    }

private:
    std::array<std::uint16_t, 256> row_{};
    std::vector<PackedUtf8> slots_;
};

// The characters of one line of a text file: where each starts and, for UTF-8
// output, its UTF-8 form, found before any entry of the line is written. A line
// is scanned byte by byte, carrying only whether the next byte is a trail byte,
// so the lookups do not wait for one another as in a walk from character to
// character; and looked up while writing, each character would hold up the
// writing of the next entry.
class LineChars {
public:
    LineChars(const std::array<bool, 256>& lead, std::size_t maxLen, TextEncoding encoding)
        : lead_(lead), starts_(maxLen + 1) {
        if (encoding == TextEncoding::Utf8) {
            cache_.emplace(lead);
            utf8_.resize(maxLen + 1);
        }
    }

    /// Scans a line and returns its number of characters.
    TINSORA_NOINLINE std::size_t Scan(std::string_view line) {
        const char* const text = line.data();
        const std::size_t size = line.size();
        const bool* const lead = lead_.data();
        std::size_t* const starts = starts_.data();
        std::size_t n = 0;
        bool trailNext = false;
        for (std::size_t y = 0; y < size; ++y) {
            const bool start = !trailNext;
            // Written at every byte and kept only at the starts of characters.
            starts[n] = y;
            n += start;
            trailNext = lead[static_cast<unsigned char>(text[y])] & start;
        }
        // A lead byte at the end of a line stands alone: its character ends
        // with the line, and nothing is read past it.
        starts[n] = size;
        if (cache_) {
            const std::uint16_t* const rows = cache_->Rows();
            PackedUtf8* const slots = cache_->Slots();
            PackedUtf8* const utf8 = utf8_.data();
            for (std::size_t c = 0; c < n; ++c) {
                const std::size_t x = starts[c];
                const bool pair = starts[c + 1] - x == 2;
                const auto first = static_cast<unsigned char>(text[x]);
                const auto second = static_cast<unsigned char>(text[x + pair]);
                // Masks rather than branches: in mixed text the width is unpredictable.
                const std::size_t mask = 0 - static_cast<std::size_t>(pair);
                const std::size_t row = rows[first] & mask;
                const std::size_t column = first ^ ((first ^ second) & mask);
                PackedUtf8& slot = slots[row << 8 | column];
                PackedUtf8 u = slot;
                if (u == 0) [[unlikely]]
                    u = Utf8Cache::Fill(slot, std::string_view(text + x, pair ? 2 : 1));
                utf8[c] = u;
            }
        }
        return n;
    }

    /// Where each character starts, and after the last the line's length.
    const std::size_t* Starts() const { return starts_.data(); }
    /// The UTF-8 form of each character, for UTF-8 output.
    const PackedUtf8* Utf8s() const { return utf8_.data(); }
    bool Utf8() const { return cache_.has_value(); }

private:
    const std::array<bool, 256>& lead_;
    std::vector<std::size_t> starts_;
    std::optional<Utf8Cache> cache_;
    std::vector<PackedUtf8> utf8_;
};

// Counts the characters of the lines and bounds the bytes they take in the
// output encoding (in UTF-8 three for any character beyond ASCII), for a
// reservation that fits the output closely.
void CountFileText(const std::vector<std::string_view>& lines, const std::array<bool, 256>& lead,
                   TextEncoding encoding, std::size_t& chars, std::size_t& charBytes) {
    chars = 0;
    std::size_t beyondAscii = 0;
    std::size_t textBytes = 0;
    for (const std::string_view line : lines) {
        textBytes += line.size();
        unsigned trailNext = 0;
        for (const char c : line) {
            const auto b = static_cast<unsigned char>(c);
            const unsigned start = trailNext ^ 1;
            chars += start;
            beyondAscii += start & (b >> 7);
            trailNext = lead[b] & start;
        }
    }
    charBytes = encoding == TextEncoding::Cp932 ? textBytes : chars + 2 * beyondAscii;
}

// Room is taken for this many characters of a line at a time.
constexpr std::size_t kStretch = 1024;

// The entries of one line of a text file and its "<BR>". Everything the loop
// reads is held in locals: the compiler must assume that a character written
// through a pointer may change any object reached through one.
template <bool kUtf8, bool kCollect>
TINSORA_NOINLINE void WriteLineAs(std::string_view line, std::size_t n, const LineChars& chars,
                                  const std::array<const char*, 3>& hex, const CharEntry& entry,
                                  const Piece& br, EntryWriter& writer) {
    const char* const text = line.data();
    const std::size_t* const starts = chars.Starts();
    const PackedUtf8* const utf8 = chars.Utf8s();
    const char* const red = hex[0];
    const char* const green = hex[1];
    const char* const blue = hex[2];
    const PieceView head = entry.head.View();
    const PieceView tail = entry.tail.View();
    HtmlLines* const lines = writer.Lines();
    const std::size_t longestEntry = entry.FixedSize() + kLongestUtf8PerCp932Byte;
    std::size_t c = 0;
    for (;;) {
        const std::size_t stop = std::min(n, c + kStretch);
        char* p = writer.Room((stop - c) * longestEntry + br.Size());
        const char* const base = writer.Base();
        for (; c < stop; ++c) {
            const std::size_t x = starts[c];
            char* const digits = CharEntry::Digits(p);
            p = head.CopyTo(p);
            std::memcpy(digits, red + 2 * x, 2);
            std::memcpy(digits + 2, green + 2 * x, 2);
            std::memcpy(digits + 4, blue + 2 * x, 2);
            if constexpr (kUtf8) {
                p = AppendPackedUtf8(p, utf8[c]);
            } else {
                const std::size_t width = starts[c + 1] - x;
                p[0] = text[x];
                p[1] = text[x + width - 1];
                p += width;
            }
            p = tail.CopyTo(p);
            if constexpr (kCollect)
                lines->EndLineAt(static_cast<std::size_t>(p - base));
        }
        if (c == n) {
            p = br.CopyTo(p);
            writer.MarkEnd(p);
            writer.Commit(p);
            return;
        }
        writer.Commit(p);
    }
}

void WriteLine(std::string_view line, std::size_t n, const LineChars& chars,
               const std::array<const char*, 3>& hex, const CharEntry& entry, const Piece& br,
               EntryWriter& writer) {
    const bool collect = writer.Lines() != nullptr;
    if (chars.Utf8())
        (collect ? WriteLineAs<true, true> : WriteLineAs<true, false>)(line, n, chars, hex, entry,
                                                                       br, writer);
    else
        (collect ? WriteLineAs<false, true> : WriteLineAs<false, false>)(line, n, chars, hex, entry,
                                                                         br, writer);
}

void WriteFileText(std::string_view bytes, const GradientColors& colors, TextEncoding encoding,
                   const CharEntry& entry, EntryWriter& writer, std::size_t extraBytes,
                   std::size_t extraEntries) {
    // Views into the bytes: the lines are read once, and copies would cost
    // an allocation each.
    const std::vector<std::string_view> fileLines = SplitLineViews(bytes);

    std::array<bool, 256> lead{};
    for (int b = 0; b < 256; ++b)
        lead[b] = IsLeadByte(static_cast<unsigned char>(b));

    std::size_t maxLen = 0;
    std::size_t textBytes = 0;
    for (const std::string_view line : fileLines) {
        maxLen = std::max(maxLen, line.size());
        textBytes += line.size();
    }
    const Piece br(std::string(kBr) + std::string(writer.LineEnd()));
    std::size_t chars = textBytes;
    std::size_t charBytes = textBytes * kLongestUtf8PerCp932Byte;
    if (writer.Collecting()) // a stream needs room for a batch only
        CountFileText(fileLines, lead, encoding, chars, charBytes);
    // Room is asked for by the longest an entry can be, so the last request
    // may go beyond the output by up to a stretch of such entries.
    const std::size_t longestEntry = entry.FixedSize() + kLongestUtf8PerCp932Byte;
    writer.Reserve(extraBytes + chars * entry.FixedSize() + charBytes +
                       fileLines.size() * br.Size() + kStretch * longestEntry,
                   extraEntries + chars + fileLines.size());

    const auto lineDivisor = static_cast<std::int32_t>(fileLines.size()) - 1;
    const auto charDivisor = static_cast<std::int32_t>(maxLen) - 1;
    std::array<ChannelRow, 3> rows{ChannelRow(maxLen), ChannelRow(maxLen), ChannelRow(maxLen)};
    LineChars lineChars(lead, maxLen, encoding);

    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        const std::string_view line = fileLines[i];
        const auto row = static_cast<std::int32_t>(i);
        std::array<const char*, 3> hex{};
        for (int k = 0; k < 3; ++k) {
            const auto left = static_cast<std::int32_t>(
                GradientStep(Channel(colors[0], k), Channel(colors[2], k), lineDivisor, row));
            const auto right = static_cast<std::int32_t>(
                GradientStep(Channel(colors[1], k), Channel(colors[3], k), lineDivisor, row));
            hex[k] = rows[k].Prepare(left, right, charDivisor, line.size());
        }
        WriteLine(line, lineChars.Scan(line), lineChars, hex, entry, br, writer);
    }
}

bool IsEscapeAt(const std::vector<Cp932Char>& chars, std::size_t j) {
    const auto is = [&](std::size_t k, char byte) {
        return k < chars.size() && chars[k].mapped && chars[k].width == 1 &&
               chars[k].cp932[0] == byte;
    };
    return is(j, '\\') && is(j + 1, 'n');
}

void WriteTypedText(const GradientTextOptions& o, int segments, const CharEntry& entry,
                    EntryWriter& writer, std::size_t extraBytes, std::size_t extraEntries,
                    GradientTextResult* preview) {
    const std::string& text = o.text;
    const std::vector<Cp932Char> chars = Cp932Chars(text);
    std::int64_t len = 0;
    for (const Cp932Char& ch : chars)
        len += ch.width;

    const std::size_t longestEntry = entry.FixedSize() + kLongestTypedChar;
    writer.Reserve(extraBytes + chars.size() * longestEntry, extraEntries + chars.size());
    if (preview)
        preview->previewGlyphs.reserve(chars.size());

    const std::int64_t segmentLength = len / segments;
    const auto divisor = static_cast<std::int32_t>((len - 1) / segments);
    std::int64_t position = 0; // P: the byte position in code page 932, never reset
    std::int64_t lastWidth = 1;
    std::size_t j = 0;
    for (int k = 0; k < segments; ++k) {
        const ColorRGB& from = o.gradColors[k];
        const ColorRGB& to = o.gradColors[k + 1];
        // The last segment runs on to the end of the text, carrying on its steps.
        const bool last = k == segments - 1;
        std::int64_t s = 0;
        while ((last || s < segmentLength) && j < chars.size()) {
            if (IsEscapeAt(chars, j)) {
                writer.Add(kBr);
                j += 2;
                position += 2;
                s += lastWidth;
                continue;
            }
            const Cp932Char& ch = chars[j];
            const auto step = [&](std::int32_t a, std::int32_t b) {
                return ClampChannel(GradientStep(a, b, divisor, static_cast<std::int32_t>(s)));
            };
            const ColorRGB color{step(from.Red, to.Red), step(from.Green, to.Green),
                                 step(from.Blue, to.Blue)};
            char* const start = writer.Room(longestEntry);
            char* p = entry.head.CopyTo(start);
            char* const digits = CharEntry::Digits(start);
            WriteHex(digits, color.Red);
            WriteHex(digits + 2, color.Green);
            WriteHex(digits + 4, color.Blue);
            if (o.encoding == TextEncoding::Utf8) {
                std::memcpy(p, text.data() + ch.offset, ch.length);
                p += ch.length;
            } else if (ch.mapped) {
                std::memcpy(p, ch.cp932, static_cast<std::size_t>(ch.width));
                p += ch.width;
            } else {
                *p++ = '?'; // only code page 932 output loses it: it has no form there
            }
            p = entry.tail.CopyTo(p);
            writer.MarkEnd(p);
            writer.Commit(p);

            if (preview) {
                PreviewGlyph glyph;
                glyph.length = static_cast<std::uint8_t>(std::min<std::size_t>(ch.length, 4));
                std::memcpy(glyph.bytes, text.data() + ch.offset, glyph.length);
                glyph.color = color;
                glyph.x = position * (preview->previewSize - 5) + 5;
                preview->previewGlyphs.push_back(glyph);
            }

            position += ch.width;
            s += ch.width;
            lastWidth = ch.width;
            ++j;
        }
    }
}

std::string ToOutputEncoding(std::string_view utf8, TextEncoding encoding) {
    return encoding == TextEncoding::Cp932 ? Utf8ToCp932(utf8) : std::string(utf8);
}

// One run, shared by both entry points; preview, when given, gets the preview.
void Run(const GradientTextOptions& o, EntryWriter& writer, GradientTextResult* preview) {
    // Errors come in the order of the run (size, colour count, file) and all
    // before the first entry.
    const std::int64_t k = o.sizeText.empty() ? 3 : TextToInt(o.sizeText);
    if (preview) {
        preview->previewSize = 4 * k + k / 2;
        preview->bold = o.bold;
        preview->italic = o.italic;
        preview->underline = o.underline;
        preview->strikeOut = o.strikeOut;
    }

    const DecorationTags tags = MakeDecorationTags(o);
    const bool charScope = o.scope == TagScope::Char;
    const std::string marqueeLine = o.marquee ? MakeMarqueeLine(o) : std::string();
    const std::string sizeAttr = o.sizeText.empty()
                                     ? std::string()
                                     : " Size=\"" + ToOutputEncoding(o.sizeText, o.encoding) + "\"";

    int segments = std::clamp(o.lastGradColor, 1, 3);
    if (o.source == GradientTextSource::Typed && !o.colorCountText.empty())
        segments = std::clamp(TextToInt(o.colorCountText), 2, 4) - 1;

    std::string readBytes;
    std::string_view fileBytes;
    if (o.source == GradientTextSource::File) {
        if (!o.fileBytes)
            readBytes = ReadFileBytes(o.fileName);
        fileBytes = o.fileBytes ? std::string_view(*o.fileBytes) : std::string_view(readBytes);
    }

    const CharEntry entry(sizeAttr, charScope ? tags.open : std::string_view(),
                          charScope ? tags.close : std::string_view(), writer.LineEnd());
    const std::size_t extraBytes =
        marqueeLine.size() + kMarqueeEnd.size() + tags.open.size() + tags.close.size();
    constexpr std::size_t extraEntries = 4;

    if (o.marquee)
        writer.Add(marqueeLine);
    if (!charScope)
        writer.Add(tags.open);
    if (o.source == GradientTextSource::File)
        WriteFileText(fileBytes, o.gradColors, o.encoding, entry, writer, extraBytes, extraEntries);
    else
        WriteTypedText(o, segments, entry, writer, extraBytes, extraEntries, preview);
    if (!charScope)
        writer.Add(tags.close);
    if (o.marquee)
        writer.Add(kMarqueeEnd);
    writer.Finish();
}

} // namespace

GradientTextResult MakeGradientText(const GradientTextOptions& options) {
    GradientTextResult result;
    EntryWriter writer(result.htmlLines);
    Run(options, writer, &result);
    return result;
}

void StreamGradientText(const GradientTextOptions& options, std::string_view lineEnd,
                        const GradientTextSink& sink, std::size_t batchBytes) {
    std::string buffer;
    EntryWriter writer(buffer, lineEnd, sink, batchBytes);
    Run(options, writer, nullptr);
}

} // namespace tinsora
