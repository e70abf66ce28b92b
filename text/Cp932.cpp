#include "text/Cp932.h"

#include "text/Cp932Platform.h"
#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tinsora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Bytes that are no character of code page 932, though one converter or the
// other gives them one (U+0080 and private-use code points on Windows).
// They decode to U+FFFD on every platform.
constexpr bool IsOutsideTheCodePage(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

// The UTF-8 bytes of one character.
struct Utf8Bytes {
    char bytes[4] = {0, 0, 0, 0};
    unsigned char length = 0;
};

Utf8Bytes Utf8Of(char32_t c) {
    Utf8Bytes u;
    auto put = [&u](unsigned v) { u.bytes[u.length++] = static_cast<char>(v); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
    return u;
}

// Which bytes start a double-byte character: the converter decides, except for
// ASCII and the bytes outside the code page.
const std::array<bool, 256>& LeadBytes() {
    static const std::array<bool, 256> lead = [] {
        std::array<bool, 256> l{};
        for (int b = 0x80; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            l[byte] = !IsOutsideTheCodePage(byte) && platform::Cp932IsLeadByte(byte);
        }
        return l;
    }();
    return lead;
}

// The character a sequence of one byte (not a lead byte) or of a lead byte and
// a trail byte stands for, or U+FFFD.
char32_t DecodeOne(const char* bytes, std::size_t length) {
    const auto b = static_cast<unsigned char>(bytes[0]);
    if (length == 1 && b < 0x80)
        return b; // ASCII is itself: some converters move a few control codes.
    if (length == 1 && IsOutsideTheCodePage(b))
        return kReplacement;
    const long c = platform::Cp932DecodeOne(bytes, length);
    const bool valid = c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    return valid ? static_cast<char32_t>(c) : kReplacement;
}

// The decoding of every single- and double-byte sequence, built once from the
// platform's converter so that reading large files does not call into it per
// character.
class DecodeTable {
public:
    DecodeTable() {
        const std::array<bool, 256>& lead = LeadBytes();
        for (int b = 0; b < 256; ++b) {
            const char in[1] = {static_cast<char>(b)};
            single_[b] = Utf8Of(lead[b] ? kReplacement : DecodeOne(in, 1));
            if (!lead[b])
                continue;
            for (int trail = 0; trail < 256; ++trail) {
                const char pair[2] = {static_cast<char>(b), static_cast<char>(trail)};
                double_[b * 256 + trail] = Utf8Of(DecodeOne(pair, 2));
            }
        }
    }

    const Utf8Bytes& Single(unsigned char b) const { return single_[b]; }
    const Utf8Bytes& Double(unsigned char lead, unsigned char trail) const {
        return double_[lead * 256 + trail];
    }

private:
    std::array<Utf8Bytes, 256> single_{};
    std::array<Utf8Bytes, std::size_t{256} * 256> double_{};
};

const DecodeTable& Table() {
    static const DecodeTable table;
    return table;
}

// The code page 932 form of a code point; returns its byte count, 0 when it
// has none. Only a form that decodes back to the same code point counts, so a
// one-way mapping of either converter never stands for a character.
int Encode(char32_t c, char out[2]) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    char bytes[4];
    const int n = platform::Cp932EncodeOne(c, bytes);
    if (n != 1 && n != 2)
        return 0;
    const bool lead = LeadBytes()[static_cast<unsigned char>(bytes[0])];
    if (c == kReplacement || lead != (n == 2) || DecodeOne(bytes, static_cast<std::size_t>(n)) != c)
        return 0;
    out[0] = bytes[0];
    out[1] = n == 2 ? bytes[1] : '\0';
    return n;
}

} // namespace

bool IsLeadByte(unsigned char byte) {
    return LeadBytes()[byte];
}

void AppendCp932AsUtf8(std::string& out, std::string_view cp932Char) {
    // One character is decoded as the table would, without building it: its callers keep what
    // they decode, so they ask once per distinct character.
    if (cp932Char.empty())
        return;
    const bool lead = LeadBytes()[static_cast<unsigned char>(cp932Char[0])];
    const std::size_t length = std::min<std::size_t>(cp932Char.size(), 2);
    const Utf8Bytes u =
        Utf8Of(length == 1 && lead ? kReplacement : DecodeOne(cp932Char.data(), length));
    out.append(u.bytes, u.length);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    const DecodeTable& t = Table();
    const std::array<bool, 256>& lead = LeadBytes();
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    std::size_t k = 0;
    while (k < cp932.size()) {
        const auto b = static_cast<unsigned char>(cp932[k]);
        if (lead[b] && k + 1 < cp932.size()) {
            const Utf8Bytes& u = t.Double(b, static_cast<unsigned char>(cp932[k + 1]));
            out.append(u.bytes, u.length);
            k += 2;
        } else {
            const Utf8Bytes& u = t.Single(b);
            out.append(u.bytes, u.length);
            ++k;
        }
    }
    return out;
}

std::vector<Cp932Char> Cp932Chars(std::string_view utf8) {
    std::vector<Cp932Char> chars;
    chars.reserve(utf8.size());
    // Characters repeat: the converter is asked only for a code point that is not the one
    // last found in its slot.
    struct Known {
        char32_t c = 0; // none: only code points from 0x80 are kept
        int n = 0;
        char cp932[2] = {0, 0};
    };
    std::vector<Known> known;
    std::size_t i = 0;
    while (i < utf8.size()) {
        Cp932Char ch;
        ch.offset = i;
        const Utf8Char c = DecodeUtf8(utf8.data() + i, utf8.data() + utf8.size());
        i += c.length;
        ch.length = static_cast<std::uint8_t>(c.length);
        if (c.codePoint == kReplacement && c.length == 1) {
            // A byte that is not UTF-8: keep it as one narrow character.
            ch.width = 1;
            ch.mapped = false;
        } else {
            const char32_t code = c.codePoint;
            int n = 0;
            if (code < 0x80) {
                n = Encode(code, ch.cp932);
            } else {
                if (known.empty())
                    known.resize(4096);
                Known& k = known[code & 0xFFF];
                if (k.c != code) {
                    k = Known{code, 0, {0, 0}};
                    k.n = Encode(code, k.cp932);
                }
                n = k.n;
                ch.cp932[0] = k.cp932[0];
                ch.cp932[1] = k.cp932[1];
            }
            ch.width = static_cast<std::uint8_t>(n == 0 ? 2 : n);
            ch.mapped = n != 0;
        }
        chars.push_back(ch);
    }
    return chars;
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const Cp932Char& ch : Cp932Chars(utf8)) {
        if (ch.mapped)
            out.append(ch.cp932, static_cast<std::size_t>(ch.width));
        else
            out.push_back('?');
    }
    return out;
}

} // namespace tinsora
