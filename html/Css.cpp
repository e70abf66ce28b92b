#include "html/Css.h"

#include "color/CssColor.h"

#include <algorithm>
#include <array>

namespace tinsora {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with an optional fraction, or a fraction alone: the numbers CSS reads
// without a sign or an exponent. Returns the length of the number at the start.
std::size_t NumberLength(std::string_view s) {
    std::size_t k = 0;
    while (k < s.size() && IsDigit(s[k]))
        ++k;
    const std::size_t whole = k;
    if (k < s.size() && s[k] == '.') {
        std::size_t f = k + 1;
        while (f < s.size() && IsDigit(s[f]))
            ++f;
        if (f > k + 1)
            return f;
    }
    return whole;
}

bool IsUnit(std::string_view unit) {
    static constexpr std::array<std::string_view, 16> units{"%",  "px", "em",   "rem",  "ex", "ch",
                                                            "vw", "vh", "vmin", "vmax", "cm", "mm",
                                                            "q",  "in", "pt",   "pc"};
    std::string lower(unit);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return std::find(units.begin(), units.end(), lower) != units.end();
}

} // namespace

Error CssLengthError(std::string_view text) {
    return Error(MessageCode::CssLength, {QuotedInMessage(text)});
}

std::optional<std::string> CssLength(std::string_view text) {
    const std::string_view s = TrimCssBlanks(text);
    if (s.empty())
        return std::nullopt;
    const std::size_t n = NumberLength(s);
    if (n == 0)
        throw CssLengthError(text);
    if (n == s.size())
        return std::string(s) + "px";
    if (!IsUnit(s.substr(n)))
        throw CssLengthError(text);
    return std::string(s);
}

std::optional<int> LegacyFontSize(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && IsCssBlank(text[k]))
        ++k;
    int sign = 0;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
        sign = text[k] == '+' ? 1 : -1;
        ++k;
    }
    if (k == text.size() || !IsDigit(text[k]))
        return std::nullopt;
    // Values past 7 all clamp to 7; stop counting there.
    int value = 0;
    for (; k < text.size() && IsDigit(text[k]); ++k)
        value = std::min(value * 10 + (text[k] - '0'), 100);
    if (sign > 0)
        value = 3 + value;
    else if (sign < 0)
        value = 3 - value;
    return std::clamp(value, 1, 7);
}

std::string_view FontSizeKeyword(int size) {
    static constexpr std::array<std::string_view, 7> keywords{
        "x-small", "small", "medium", "large", "x-large", "xx-large", "xxx-large"};
    return keywords[static_cast<std::size_t>(std::clamp(size, 1, 7) - 1)];
}

} // namespace tinsora
