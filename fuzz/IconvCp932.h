#pragma once

// Code page 932 through the C library's own converter (glibc's iconv "CP932"), with the
// program's own rules laid over its answers (Cp932Rules.h): a converter built from tables of
// its own, independent of ICU (which the program uses on Linux) and of the Windows API. The C
// library writes look-alikes one way ("\" for the yen sign, "~" for the overline); the rules
// take a form only when it decodes back to the same code point.

#include "Cp932Rules.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fuzz::glibc932 {

struct Iconv {
    /// The result of one conversion: the bytes made, and the errno of a failure (0 when none).
    struct Converted {
        std::string bytes;
        int error = 0;
    };

    static Converted Convert(iconv_t cd, std::string_view in) {
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

    static iconv_t Opened(const char* to, const char* from) {
        const iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1))
            std::abort(); // the C library's CP932 module is missing
        return cd;
    }

    /// Code page 932 bytes to UTF-32 (in the machine's order).
    static Converted ToUtf32(std::string_view bytes) {
        static const iconv_t cd = Opened("UTF-32LE", "CP932");
        return Convert(cd, bytes);
    }

    /// The lead bytes: alone, the converter finds them an incomplete character, not a wrong one.
    static const std::array<bool, 256>& Starters() {
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
    static std::optional<std::u32string> Decode(std::string_view bytes) {
        const Converted out = ToUtf32(bytes);
        if (out.error != 0)
            return std::nullopt;
        std::u32string points;
        for (std::size_t k = 0; k + 4 <= out.bytes.size(); k += 4) {
            const auto* b = reinterpret_cast<const unsigned char*>(out.bytes.data() + k);
            points.push_back(static_cast<char32_t>(b[0] | b[1] << 8 | b[2] << 16 |
                                                   static_cast<std::uint32_t>(b[3]) << 24));
        }
        return points;
    }

    /// The converter's form of one code point, nothing when it has none.
    static std::optional<std::string> Encode(char32_t c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return std::nullopt;
        static const iconv_t cd = Opened("CP932", "UTF-8");
        Converted form = Convert(cd, cp932::Utf8(c));
        if (form.error != 0)
            return std::nullopt;
        return std::move(form.bytes);
    }
};

using cp932::kReplacement;
using cp932::TypedChar;
using cp932::Utf8;

inline const std::array<bool, 256>& Starters() {
    return Iconv::Starters();
}
inline char32_t DecodeChar(std::string_view ch) {
    return cp932::DecodeChar<Iconv>(ch);
}
inline std::optional<std::string> EncodeChar(char32_t c) {
    return cp932::EncodeChar<Iconv>(c);
}
inline std::string DecodeText(std::string_view bytes) {
    return cp932::DecodeText<Iconv>(bytes);
}
inline std::vector<TypedChar> TypedChars(std::string_view text) {
    return cp932::TypedChars<Iconv>(text);
}

} // namespace fuzz::glibc932
