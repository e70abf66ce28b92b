#pragma once

// Code page 932 through the C library's own converter (glibc's iconv "CP932"), for the cp932
// target to hold the program's conversion to: a converter built from tables of its own,
// independent of ICU (which the program uses on Linux) and of the Windows API. Its answers,
// and the program's rules where the program deliberately goes its own way (Cp932.cpp):
//  - bytes below 0x80 are ASCII;
//  - 0x80, 0xA0 and 0xFD..0xFF are no character;
//  - a lead byte and any byte after it are one character of two bytes (a lone lead byte at
//    the end is no character), whether the converter knows the pair or not;
//  - a code point has a form only when that form decodes back to the same code point (the C
//    library writes look-alikes one way: "\" for the yen sign, "~" for the overline).

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/utf8.h>
#include <vector>

namespace fuzz::glibc932 {

inline constexpr char32_t kReplacement = 0xFFFD;

/// The result of one conversion: the bytes made, and the errno of a failure (0 when none).
struct Converted {
    std::string bytes;
    int error = 0;
};

inline Converted Convert(iconv_t cd, std::string_view in) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh state
    Converted out;
    out.bytes.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.bytes.data();
    std::size_t dstLeft = out.bytes.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1))
        out.error = errno;
    else if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
        out.error = errno;
    out.bytes.resize(static_cast<std::size_t>(dst - out.bytes.data()));
    return out;
}

inline iconv_t Opened(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        std::abort(); // the C library's CP932 module is missing
    return cd;
}

/// Code page 932 bytes to UTF-32 (in the machine's order).
inline Converted ToUtf32(std::string_view bytes) {
    static const iconv_t cd = Opened("UTF-32LE", "CP932");
    return Convert(cd, bytes);
}

/// UTF-8 to code page 932.
inline Converted FromUtf8(std::string_view utf8) {
    static const iconv_t cd = Opened("CP932", "UTF-8");
    return Convert(cd, utf8);
}

inline std::u32string CodePoints(const std::string& utf32le) {
    std::u32string out;
    for (std::size_t k = 0; k + 4 <= utf32le.size(); k += 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(utf32le.data() + k);
        out.push_back(static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 |
                                            static_cast<std::uint32_t>(b[3]) << 24));
    }
    return out;
}

/// The lead bytes: alone, the converter finds them an incomplete character, not a wrong one.
inline const std::array<bool, 256>& Starters() {
    static const std::array<bool, 256> starters = [] {
        std::array<bool, 256> s{};
        for (int b = 0; b < 256; ++b)
            s[static_cast<std::size_t>(b)] =
                ToUtf32(std::string(1, static_cast<char>(b))).error == EINVAL;
        return s;
    }();
    return starters;
}

/// The converter's decoding of bytes, or nothing when any of them does not decode.
inline std::optional<std::u32string> Decode(std::string_view bytes) {
    const Converted out = ToUtf32(bytes);
    if (out.error != 0)
        return std::nullopt;
    return CodePoints(out.bytes);
}

/// The program's rule for the single bytes outside the code page.
inline bool IsOutsideTheCodePage(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

/// The code point of one character of one or two bytes as the program reads it: the
/// converter's, or U+FFFD where there is none.
inline char32_t DecodeChar(std::string_view ch) {
    const auto b0 = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1) {
        if (b0 < 0x80)
            return b0;
        if (IsOutsideTheCodePage(b0) || Starters()[b0])
            return kReplacement;
    }
    const auto decoded = Decode(ch);
    return decoded && decoded->size() == 1 ? (*decoded)[0] : kReplacement;
}

/// The UTF-8 bytes of a code point.
inline std::string Utf8(char32_t c) {
    char out[4];
    std::int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<std::uint8_t*>(out), length, 4, static_cast<UChar32>(c), error);
    return error ? std::string("\xEF\xBF\xBD") : std::string(out, static_cast<std::size_t>(length));
}

/// The form of a code point as the program writes it: itself below 0x80, the converter's form
/// when that decodes back to the code point, nothing otherwise.
inline std::optional<std::string> EncodeChar(char32_t c) {
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return std::nullopt;
    const Converted form = FromUtf8(Utf8(c));
    if (form.error != 0 || form.bytes.empty() || form.bytes.size() > 2)
        return std::nullopt;
    const auto b0 = static_cast<unsigned char>(form.bytes[0]);
    if ((form.bytes.size() == 2) != Starters()[b0] || DecodeChar(form.bytes) != c)
        return std::nullopt;
    return form.bytes;
}

/// Code page 932 bytes as the program decodes them, character by character (a lead byte
/// takes the byte after it), as UTF-8.
inline std::string DecodeText(std::string_view bytes) {
    std::string out;
    for (std::size_t k = 0; k < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        const std::size_t width = Starters()[b] && k + 1 < bytes.size() ? 2 : 1;
        out += Utf8(DecodeChar(bytes.substr(k, width)));
        k += width;
    }
    return out;
}

/// One character of a UTF-8 text as the program measures it.
struct TypedChar {
    std::string_view utf8; ///< the character as typed (one byte for a byte that is not UTF-8)
    std::optional<std::string> form; ///< its code page 932 bytes, nothing when it has none
    int width = 1;                   ///< bytes in code page 932: 2 for a character without a form
};

/// The characters of a UTF-8 text: a byte that is not well-formed UTF-8 stands alone, with
/// no form and width 1.
inline std::vector<TypedChar> TypedChars(std::string_view text) {
    std::vector<TypedChar> chars;
    const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        TypedChar ch;
        if (c < 0) {
            i = start + 1;
            ch.utf8 = text.substr(static_cast<std::size_t>(start), 1);
        } else {
            ch.utf8 =
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
            ch.form = EncodeChar(static_cast<char32_t>(c));
            ch.width = ch.form ? static_cast<int>(ch.form->size()) : 2;
        }
        chars.push_back(ch);
    }
    return chars;
}

} // namespace fuzz::glibc932
