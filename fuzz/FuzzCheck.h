#pragma once

#include "color/User.h"
#include "messages/Messages.h"
#include "text/Error.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/utf8.h>

// A property that does not hold stops the run as a crash would, so that
// libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__,          \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Two values that must be the same; both are shown when they are not.
#define FUZZ_CHECK_SAME(actual, expected)                                                          \
    do {                                                                                           \
        const auto& fuzzActual = (actual);                                                         \
        const auto& fuzzExpected = (expected);                                                     \
        if (!(fuzzActual == fuzzExpected)) {                                                       \
            std::fprintf(stderr,                                                                   \
                         "fuzz check failed: %s == %s (%s:%d)\n  got:      %s\n  expected: %s\n",  \
                         #actual, #expected, __FILE__, __LINE__, fuzz::Show(fuzzActual).c_str(),   \
                         fuzz::Show(fuzzExpected).c_str());                                        \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

inline std::string Show(const std::string& s) {
    return "\"" + s + "\"";
}
inline std::string Show(const std::optional<std::string>& s) {
    return s ? Show(*s) : std::string("(nothing)");
}
inline std::string Show(long long v) {
    return std::to_string(v);
}
inline std::string Show(const tinsora::ColorRGB& c) {
    return "(" + std::to_string(c.Red) + ", " + std::to_string(c.Green) + ", " +
           std::to_string(c.Blue) + ")";
}
template <typename T> std::string Show(const std::optional<T>& v) {
    return v ? Show(*v) : std::string("(nothing)");
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// Runs f; the message of the program error it raised (in Japanese, as the models word it), or
/// nothing when it raised none. Any other exception escapes and ends the run as a crash.
template <typename F> std::optional<std::string> ErrorOf(F&& f) {
    try {
        f();
    } catch (const tinsora::Error& e) {
        return tinsora::Worded(e, tinsora::Language::Japanese);
    }
    return std::nullopt;
}

/// A message as an error's what() shows it: up to its first zero byte.
inline std::string Shown(const std::string& message) {
    return message.substr(0, message.find('\0'));
}

/// The message of a program error, for comparing with ErrorOf.
inline std::optional<std::string> Message(const tinsora::Error& e) {
    return tinsora::Worded(e, tinsora::Language::Japanese);
}

/// True when text is well-formed UTF-8.
inline bool IsUtf8(std::string_view text) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

/// A piece of the input as the program's messages show it, modelled here: cut at limit bytes
/// (moved back over at most three bytes that continue a UTF-8 character) with "..." after a
/// piece that was longer; every byte of a control character (C0, DEL, C1) and every byte that
/// is not part of a well-formed UTF-8 character as \xNN.
inline std::string ShownPiece(std::string_view piece, std::size_t limit = 40) {
    std::size_t end = std::min(piece.size(), limit);
    const auto continues = [&](std::size_t k) {
        return (static_cast<unsigned char>(piece[k]) & 0xC0) == 0x80;
    };
    for (std::size_t stop = end >= 3 ? end - 3 : 0;
         end > stop && end < piece.size() && continues(end);)
        --end;
    const auto* s = reinterpret_cast<const std::uint8_t*>(piece.data());
    const auto n = static_cast<std::int32_t>(end);
    std::string out;
    for (std::int32_t i = 0; i < n;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(s, i, n, c);
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            for (std::int32_t b = start; b < i; ++b) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", s[b]);
                out += hex;
            }
        } else {
            out.append(
                piece.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
        }
    }
    if (piece.size() > limit)
        out += "...";
    return out;
}

/// ShownPiece between single quotes.
inline std::string QuotedPiece(std::string_view piece) {
    return "'" + ShownPiece(piece) + "'";
}

/// A colour of three channels taken from the input.
inline tinsora::ColorRGB TakeColor(FuzzedDataProvider& in) {
    tinsora::ColorRGB c;
    c.Red = in.ConsumeIntegral<std::uint8_t>();
    c.Green = in.ConsumeIntegral<std::uint8_t>();
    c.Blue = in.ConsumeIntegral<std::uint8_t>();
    return c;
}

} // namespace fuzz
