// The same tests hold the converter of every platform to the same code page:
// on Linux they run against ICU, on Windows (and under Wine) against the
// system's own code page 932. The whole table is also held to the C library's
// converter (glibc's, read at build time by tests/tools/cp932-table), which is
// neither of them.

#include "text/Cp932.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

using namespace tinsora;

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Every scalar value of the first plane and a few beyond it, in order.
std::string AllCodePoints() {
    std::string s;
    for (char32_t c = 0; c < 0x10000; ++c)
        if (c < 0xD800 || c > 0xDFFF)
            s += Utf8(c);
    for (char32_t c : {0x10000, 0x1F600, 0x10FFFF})
        s += Utf8(c);
    return s;
}

std::string Cp932Form(const Cp932Char& ch) {
    return ch.mapped ? std::string(ch.cp932, static_cast<std::size_t>(ch.width)) : "";
}

} // namespace

TEST(Cp932Platform, AsciiIsItselfBothWays) {
    for (int b = 0; b < 0x80; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Cp932ToUtf8(byte), byte) << "byte " << b;
        EXPECT_EQ(Utf8ToCp932(byte), byte) << "byte " << b;
    }
}

TEST(Cp932Platform, DecodesEverySortOfSequence) {
    const struct {
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"\x5C\x7E", "\\~"},     // not the yen sign and the overline
        {"\xA1\xB1\xDF", "｡ｱﾟ"}, // half-width katakana
        {"\x80", kReplacement},  // single bytes the code page leaves out
        {"\xA0", kReplacement},
        {"\xFD\xFE\xFF", kReplacement + kReplacement + kReplacement},
        {"\x82\xA0\x83\x5C", "あソ"},         // a trail byte that is a backslash
        {"\x87\x90", "≒"},                    // the NEC row takes the standard code point
        {"\xFA\x54\xED\x40", "￢纊"},         // IBM extensions and their NEC copies
        {"\xF0\x40\xF9\xFC", "\uE000\uE757"}, // the user-defined area
        {"\x85\x40", kReplacement},           // an unassigned pair
        {"\x81\x20"
         "A",
         kReplacement + "A"},          // a lead byte takes the next byte with it
        {"A\x82", "A" + kReplacement}, // a lead byte at the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;

    std::string one;
    AppendCp932AsUtf8(one, "\x88\x9F");
    AppendCp932AsUtf8(one, "\xFF");
    EXPECT_EQ(one, "亜" + kReplacement);
}

TEST(Cp932Platform, EncodesOnlyFormsThatDecodeBackToTheSameCharacter) {
    const struct {
        std::string utf8;
        std::string cp932; // empty: no code page 932 form
    } cases[] = {
        {"ｱ", "\xB1"},
        {"～", "\x81\x60"},
        {"―", "\x81\x5C"},
        {"≒", "\x81\xE0"}, // of the two forms, the one in the standard rows
        {"￢", "\x81\xCA"},
        {"纊", "\xFA\x5C"}, // of the two forms, the IBM one
        {"\uE000", "\xF0\x40"},
        {"\uE757", "\xF9\xFC"},
        // Look-alikes the system would write without being asked not to.
        {"¥", ""},
        {"‾", ""},
        {"〜", ""},
        {"—", ""},
        {"µ", ""},
        {"\uE758", ""},
        // Forms one converter or the other gives for bytes outside the code page.
        {"\u0080", ""},
        {"\uF8F0", ""},
        {"\uF8F3", ""},
        {"\uF86F", ""},
        {"😀", ""},
    };
    for (const auto& c : cases) {
        const auto chars = Cp932Chars(c.utf8);
        ASSERT_EQ(chars.size(), 1u) << c.utf8;
        EXPECT_EQ(Cp932Form(chars[0]), c.cp932) << c.utf8;
        EXPECT_EQ(chars[0].width, c.cp932.empty() ? 2 : static_cast<int>(c.cp932.size())) << c.utf8;
        EXPECT_EQ(chars[0].length, c.utf8.size());
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932.empty() ? "?" : c.cp932) << c.utf8;
    }
}

TEST(Cp932Platform, EveryFormOfTheWholeTableDecodesBackAndMeasuresItsBytes) {
    const std::string all = AllCodePoints();
    const auto chars = Cp932Chars(all);
    ASSERT_EQ(chars.size(), 0x10000u - 0x800u + 3u);
    std::size_t mapped = 0;
    for (const Cp932Char& ch : chars) {
        if (!ch.mapped) {
            EXPECT_EQ(ch.width, 2);
            continue;
        }
        ++mapped;
        const std::string form = Cp932Form(ch);
        const std::string utf8 = all.substr(ch.offset, ch.length);
        ASSERT_EQ(Cp932ToUtf8(form), utf8) << "U+" << std::hex << static_cast<int>(utf8[0]);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(form[0])), ch.width == 2) << utf8;
    }
    // ASCII, 63 half-width katakana, the double-byte characters (one form for
    // each, though some have two codes) and the 1880 of the user-defined area.
    EXPECT_EQ(mapped, 128u + 63u + 7326u + 1880u);
}

// The whole mapping in both directions, folded into one number, so that a
// converter that differs from the others anywhere in the table is caught.
TEST(Cp932Platform, TheWholeTableIsTheSameOnEveryPlatform) {
    std::uint64_t hash = 14695981039346656037u;
    const auto fold = [&hash](std::string_view bytes) {
        for (const char b : bytes) {
            hash ^= static_cast<unsigned char>(b);
            hash *= 1099511628211u;
        }
        hash ^= 0xFF; // a separator no UTF-8 text contains
        hash *= 1099511628211u;
    };
    for (int b = 0; b < 256; ++b) {
        const std::string single(1, static_cast<char>(b));
        fold(Cp932ToUtf8(single));
        if (!IsLeadByte(static_cast<unsigned char>(b)))
            continue;
        for (int t = 0; t < 256; ++t)
            fold(Cp932ToUtf8(single + static_cast<char>(t)));
    }
    for (const Cp932Char& ch : Cp932Chars(AllCodePoints()))
        fold(Cp932Form(ch));
    EXPECT_EQ(hash, 3307618522728841008u);
}

#ifdef TINSORA_CP932_TABLE
// Code page 932 as the C library decodes it: its lead bytes, and the code point of every
// sequence of one or two bytes that is a character.
struct Cp932Table {
    std::array<bool, 256> lead{};
    std::map<std::string, char32_t> chars;
};

Cp932Table ReadCp932Table() {
    Cp932Table table;
    std::ifstream in(TINSORA_CP932_TABLE);
    std::string first, second;
    while (in >> first >> second) {
        if (first == "lead") {
            table.lead[std::stoul(second, nullptr, 16)] = true;
            continue;
        }
        std::string bytes;
        for (std::size_t k = 0; k < first.size(); k += 2)
            bytes += static_cast<char>(std::stoul(first.substr(k, 2), nullptr, 16));
        table.chars[bytes] = static_cast<char32_t>(std::stoul(second, nullptr, 16));
    }
    return table;
}

TEST(Cp932Platform, AgreesWithTheCLibrarysTableEverywhere) {
    const Cp932Table table = ReadCp932Table();
    ASSERT_GT(table.chars.size(), 9000u) << "no table at " TINSORA_CP932_TABLE;
    const auto expected = [&](const std::string& bytes) {
        const auto it = table.chars.find(bytes);
        return it == table.chars.end() ? kReplacement : Utf8(it->second);
    };
    std::set<char32_t> decoded; // every code point some sequence decodes to
    for (int b = 0; b < 256; ++b) {
        const std::string single(1, static_cast<char>(b));
        ASSERT_EQ(IsLeadByte(static_cast<unsigned char>(b)), table.lead[b]) << "byte " << b;
        if (!table.lead[b]) {
            EXPECT_EQ(Cp932ToUtf8(single), expected(single)) << "byte " << b;
            continue;
        }
        EXPECT_EQ(Cp932ToUtf8(single), kReplacement) << "a lone lead byte " << b;
        for (int t = 0; t < 256; ++t) {
            const std::string pair = single + static_cast<char>(t);
            EXPECT_EQ(Cp932ToUtf8(pair), expected(pair)) << "bytes " << b << " " << t;
        }
    }
    for (const auto& [bytes, c] : table.chars)
        decoded.insert(c);
    // A code point has a form exactly when some sequence decodes to it, and its form is one.
    const std::string all = AllCodePoints();
    for (const Cp932Char& ch : Cp932Chars(all)) {
        const std::string utf8 = all.substr(ch.offset, ch.length);
        const char32_t c = [&] {
            const auto u = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
            switch (utf8.size()) {
            case 1:
                return static_cast<char32_t>(u(0));
            case 2:
                return static_cast<char32_t>((u(0) & 0x1F) << 6 | (u(1) & 0x3F));
            case 3:
                return static_cast<char32_t>((u(0) & 0x0F) << 12 | (u(1) & 0x3F) << 6 |
                                             (u(2) & 0x3F));
            default:
                return static_cast<char32_t>((u(0) & 0x07) << 18 | (u(1) & 0x3F) << 12 |
                                             (u(2) & 0x3F) << 6 | (u(3) & 0x3F));
            }
        }();
        EXPECT_EQ(ch.mapped, decoded.count(c) == 1) << "U+" << std::hex << static_cast<long>(c);
        if (ch.mapped) {
            EXPECT_EQ(expected(Cp932Form(ch)), utf8) << "U+" << std::hex << static_cast<long>(c);
        }
    }
}
#endif
