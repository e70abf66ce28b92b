#pragma once

// TextToInt's grammar written out once more, for the targets to compare the program with:
// blanks (spaces only) in front; "$", "x", "X", "0x" or "0X" and hexadecimal digits up to
// 0xFFFFFFFF (the bit pattern as a signed value); or an optional sign and decimal digits
// within the signed 32-bit range; nothing else anywhere.

#include "FuzzCheck.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace fuzz {

inline bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

inline bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Pred> bool All(std::string_view s, Pred pred) {
    for (const char c : s)
        if (!pred(c))
            return false;
    return true;
}

// Leading zeros off, one digit kept.
inline std::string_view Significant(std::string_view digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? digits.substr(digits.size() - 1)
                                           : digits.substr(first);
}

/// The integer TextToInt must give for text, or nothing where it must refuse it.
inline std::optional<std::int32_t> ExpectedInt(std::string_view text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(start);

    std::optional<std::string_view> hexDigits;
    if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')
        hexDigits = rest.substr(1);
    else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        hexDigits = rest.substr(2);
    if (hexDigits) {
        if (hexDigits->empty() || !All(*hexDigits, IsHexDigit))
            return std::nullopt;
        const std::string_view digits = Significant(*hexDigits);
        if (digits.size() > 8)
            return std::nullopt;
        std::uint32_t value = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        return static_cast<std::int32_t>(value);
    }

    bool negative = false;
    if (rest[0] == '+' || rest[0] == '-') {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || !All(rest, IsDecimalDigit))
        return std::nullopt;
    const std::string_view digits = Significant(rest);
    if (digits.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

/// "'%s' は整数ではありません" for text, shown as the program's messages show a piece of input.
inline std::string NotAnIntegerMessage(std::string_view text) {
    return QuotedPiece(text) + " は整数ではありません";
}

} // namespace fuzz
