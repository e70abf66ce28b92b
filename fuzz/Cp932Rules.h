#pragma once

// The program's rules for code page 932 where it deliberately goes its own way (Cp932.cpp),
// laid over a converter's own answers, for the targets to hold the program's conversion to:
//  - bytes below 0x80 are ASCII, whatever the converter makes of a few control codes;
//  - 0x80, 0xA0 and 0xFD..0xFF are no character;
//  - a lead byte and any byte after it are one character of two bytes (a lone lead byte at
//    the end is no character), whether the converter knows the pair or not;
//  - a code point has a form only when that form decodes back to the same code point.
//
// A converter is a type with static Starters() (its lead bytes), Decode(bytes) (the code
// points of bytes, nothing when any of them does not decode) and Encode(c) (its form of one
// code point, nothing when it has none).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/utf8.h>
#include <vector>

namespace fuzz::cp932 {

inline constexpr char32_t kReplacement = 0xFFFD;

/// The UTF-8 bytes of a code point.
inline std::string Utf8(char32_t c) {
    char out[4];
    std::int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<std::uint8_t*>(out), length, 4, static_cast<UChar32>(c), error);
    return error ? std::string("\xEF\xBF\xBD") : std::string(out, static_cast<std::size_t>(length));
}

/// The single bytes outside the code page.
inline bool IsOutsideTheCodePage(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

/// The code point of one character of one or two bytes as the program reads it: the
/// converter's, or U+FFFD where there is none.
template <typename Converter> char32_t DecodeChar(std::string_view ch) {
    const auto b0 = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1) {
        if (b0 < 0x80)
            return b0;
        if (IsOutsideTheCodePage(b0) || Converter::Starters()[b0])
            return kReplacement;
    }
    const std::optional<std::u32string> decoded = Converter::Decode(ch);
    return decoded && decoded->size() == 1 ? (*decoded)[0] : kReplacement;
}

/// The form of a code point as the program writes it: itself below 0x80, the converter's form
/// when that decodes back to the code point, nothing otherwise.
template <typename Converter> std::optional<std::string> EncodeChar(char32_t c) {
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    const std::optional<std::string> form = Converter::Encode(c);
    if (!form || form->empty() || form->size() > 2)
        return std::nullopt;
    const auto b0 = static_cast<unsigned char>((*form)[0]);
    if ((form->size() == 2) != Converter::Starters()[b0] || DecodeChar<Converter>(*form) != c)
        return std::nullopt;
    return form;
}

/// Code page 932 bytes as the program decodes them, character by character (a lead byte
/// takes the byte after it), as UTF-8.
template <typename Converter> std::string DecodeText(std::string_view bytes) {
    std::string out;
    for (std::size_t k = 0; k < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        const std::size_t width = Converter::Starters()[b] && k + 1 < bytes.size() ? 2 : 1;
        out += Utf8(DecodeChar<Converter>(bytes.substr(k, width)));
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
template <typename Converter> std::vector<TypedChar> TypedChars(std::string_view text) {
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
            ch.form = EncodeChar<Converter>(static_cast<char32_t>(c));
            ch.width = ch.form ? static_cast<int>(ch.form->size()) : 2;
        }
        chars.push_back(ch);
    }
    return chars;
}

} // namespace fuzz::cp932
