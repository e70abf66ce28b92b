#pragma once

#include <cstddef>

namespace tinsora {

/// One character of UTF-8 text: its code point and its length in bytes.
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 1;
};

/// The character at p (p < end); a byte that does not begin a valid sequence
/// (no overlong forms, surrogates or code points past U+10FFFF) is a character
/// of its own, U+FFFD of length 1.
Utf8Char DecodeUtf8(const char* p, const char* end);

} // namespace tinsora
