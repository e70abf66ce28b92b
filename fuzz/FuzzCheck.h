#pragma once

#include "color/User.h"
#include "text/Error.h"

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

/// Runs f; the message of the program error it raised, or nothing when it raised none.
/// Any other exception escapes and ends the run as a crash.
template <typename F> std::optional<std::string> ErrorOf(F&& f) {
    try {
        f();
    } catch (const tinsora::Error& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

/// A message as an error's what() shows it: up to its first zero byte.
inline std::string Shown(const std::string& message) {
    return message.substr(0, message.find('\0'));
}

/// The message of a program error, for comparing with ErrorOf.
inline std::optional<std::string> Message(const tinsora::Error& e) {
    return std::string(e.what());
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

/// A colour of three channels taken from the input.
inline tinsora::ColorRGB TakeColor(FuzzedDataProvider& in) {
    tinsora::ColorRGB c;
    c.Red = in.ConsumeIntegral<std::uint8_t>();
    c.Green = in.ConsumeIntegral<std::uint8_t>();
    c.Blue = in.ConsumeIntegral<std::uint8_t>();
    return c;
}

} // namespace fuzz
