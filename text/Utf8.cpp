#include "text/Utf8.h"

namespace tinsora {

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

} // namespace

Utf8Char DecodeUtf8(const char* p, const char* end) {
    const auto at = [&](std::ptrdiff_t k) { return static_cast<unsigned char>(p[k]); };
    const unsigned char b = at(0);
    if (b < 0x80)
        return {b, 1};
    const std::ptrdiff_t available = end - p;
    const auto valid = [&](std::ptrdiff_t n, unsigned char low, unsigned char high) {
        if (available < n || at(1) < low || at(1) > high)
            return false;
        for (std::ptrdiff_t k = 2; k < n; ++k)
            if (!IsContinuation(at(k)))
                return false;
        return true;
    };
    if (b >= 0xC2 && b <= 0xDF && valid(2, 0x80, 0xBF))
        return {static_cast<char32_t>(((b & 0x1F) << 6) | (at(1) & 0x3F)), 2};
    if (b >= 0xE0 && b <= 0xEF && valid(3, b == 0xE0 ? 0xA0 : 0x80, b == 0xED ? 0x9F : 0xBF))
        return {static_cast<char32_t>(((b & 0x0F) << 12) | ((at(1) & 0x3F) << 6) | (at(2) & 0x3F)),
                3};
    if (b >= 0xF0 && b <= 0xF4 && valid(4, b == 0xF0 ? 0x90 : 0x80, b == 0xF4 ? 0x8F : 0xBF))
        return {static_cast<char32_t>(((b & 0x07) << 18) | ((at(1) & 0x3F) << 12) |
                                      ((at(2) & 0x3F) << 6) | (at(3) & 0x3F)),
                4};
    return {0xFFFD, 1};
}

} // namespace tinsora
