// TextToInt and the decimal channel rule over arbitrary bytes, checked against
// a second reading of the rules written with std::from_chars.
#include "FuzzCheck.h"
#include "color/User.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Pred> bool All(std::string_view s, Pred pred) {
    for (const char c : s)
        if (!pred(c))
            return false;
    return true;
}

// Leading zeros off, one digit kept.
std::string_view Significant(std::string_view digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? digits.substr(digits.size() - 1)
                                           : digits.substr(first);
}

std::optional<std::int32_t> Expected(std::string_view text) {
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const std::string_view text = fuzz::AsText(data, size);

    std::optional<std::int32_t> value;
    const auto error = fuzz::ErrorOf([&] { value = TextToInt(text); });
    FUZZ_CHECK(value == Expected(text));
    if (!value)
        FUZZ_CHECK(error == fuzz::Message(NotAnIntegerError(text)));
    if (!text.empty() && text.back() == ' ')
        FUZZ_CHECK(!value);
    if (value)
        FUZZ_CHECK(TextToInt(ChannelToDecimal(*value)) == *value);

    std::optional<std::int32_t> channel;
    const auto channelError = fuzz::ErrorOf([&] { channel = DecimalChannelText(text); });
    if (text.empty()) {
        FUZZ_CHECK(!channel && !channelError);
    } else if (value) {
        FUZZ_CHECK(!channelError && channel == ClampChannel(*value));
        FUZZ_CHECK(*channel >= 0 && *channel <= 255);
    } else {
        FUZZ_CHECK(channelError == error);
    }
    return 0;
}
