#pragma once

// Code page 932 through ICU's converter called directly, with the program's own rules laid
// over its answers (Cp932Rules.h).

#include "Cp932Rules.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/ucnv.h>
#include <unicode/utf16.h>
#include <vector>

namespace fuzz::icu932 {

struct Icu {
    static UConverter* Converter() {
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
    static const std::array<bool, 256>& Starters() {
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
    static std::optional<std::u32string> Decode(std::string_view bytes) {
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
    static std::optional<std::string> Encode(char32_t c) {
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
};

using cp932::TypedChar;
using cp932::Utf8;

inline const std::array<bool, 256>& Starters() {
    return Icu::Starters();
}
inline char32_t DecodeChar(std::string_view ch) {
    return cp932::DecodeChar<Icu>(ch);
}
inline std::string DecodeText(std::string_view bytes) {
    return cp932::DecodeText<Icu>(bytes);
}
inline std::vector<TypedChar> TypedChars(std::string_view text) {
    return cp932::TypedChars<Icu>(text);
}

} // namespace fuzz::icu932
