#pragma once

// Code page 932 through ICU's converter called directly, for the targets to hold the
// program's conversion to: ICU's own answers, and the program's rules where it deliberately
// differs from them (Cp932.cpp):
//  - bytes below 0x80 are ASCII, whatever the converter makes of a few control codes;
//  - 0x80, 0xA0 and 0xFD..0xFF are no character;
//  - a lead byte and any byte after it are one character of two bytes (a lone lead byte at
//    the end is no character), whether the converter knows the pair or not;
//  - a code point has a form only when that form decodes back to the same code point.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/ucnv.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>
#include <vector>

namespace fuzz::icu932 {

inline constexpr char32_t kReplacement = 0xFFFD;

inline UConverter* Converter() {
    static UConverter* const conv = [] {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* c = ucnv_open("windows-31j", &status);
        if (U_FAILURE(status) || !c)
            std::abort();
        return c;
    }();
    return conv;
}

/// ICU's lead bytes (the converter's own table of starters).
inline const std::array<bool, 256>& Starters() {
    static const std::array<bool, 256> starters = [] {
        UBool raw[256] = {};
        UErrorCode status = U_ZERO_ERROR;
        ucnv_getStarters(Converter(), raw, &status);
        if (U_FAILURE(status))
            std::abort();
        std::array<bool, 256> s{};
        for (int b = 0; b < 256; ++b)
            s[static_cast<std::size_t>(b)] = raw[b] != 0;
        return s;
    }();
    return starters;
}

/// ICU's decoding of bytes, stopping at the first byte sequence it does not map.
inline std::optional<std::u32string> Decode(std::string_view bytes) {
    UConverter* conv = Converter();
    ucnv_reset(conv);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::u16string units(bytes.size() * 2 + 2, u'\0');
    const char* src = bytes.data();
    UChar* dst = units.data();
    ucnv_toUnicode(conv, &dst, units.data() + units.size(), &src, bytes.data() + bytes.size(),
                   nullptr, true, &status);
    if (U_FAILURE(status) || src != bytes.data() + bytes.size())
        return std::nullopt;
    std::u32string out;
    const auto length = static_cast<std::int32_t>(dst - units.data());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U16_NEXT(units.data(), i, length, c);
        out.push_back(static_cast<char32_t>(c));
    }
    return out;
}

/// ICU's form of one code point, without fallbacks; nothing when it has none.
inline std::optional<std::string> Encode(char32_t c) {
    UChar u[2];
    std::int32_t length = 0;
    UBool error = false;
    U16_APPEND(u, length, 2, static_cast<UChar32>(c), error);
    if (error)
        return std::nullopt;
    UConverter* conv = Converter();
    ucnv_reset(conv);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    char out[8];
    const UChar* src = u;
    char* dst = out;
    ucnv_fromUnicode(conv, &dst, out + sizeof out, &src, u + length, nullptr, true, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    return std::string(out, static_cast<std::size_t>(dst - out));
}

/// The program's rule for bytes below 0x80 and for the bytes outside the code page.
inline bool IsOutsideTheCodePage(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

/// The code point of one character of one or two bytes as the program reads it: ICU's, or
/// U+FFFD where there is none.
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

/// The form of a code point as the program writes it: itself below 0x80, ICU's form when
/// that decodes back to the code point, nothing otherwise.
inline std::optional<std::string> EncodeChar(char32_t c) {
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    const auto form = Encode(c);
    if (!form || form->empty() || form->size() > 2)
        return std::nullopt;
    const auto b0 = static_cast<unsigned char>((*form)[0]);
    if ((form->size() == 2) != Starters()[b0])
        return std::nullopt;
    if (DecodeChar(*form) != c)
        return std::nullopt;
    return form;
}

/// The UTF-8 bytes of a code point.
inline std::string Utf8(char32_t c) {
    char out[4];
    std::int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<std::uint8_t*>(out), length, 4, static_cast<UChar32>(c), error);
    return error ? std::string("\xEF\xBF\xBD") : std::string(out, static_cast<std::size_t>(length));
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

} // namespace fuzz::icu932
