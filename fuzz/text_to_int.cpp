// TextToInt and the decimal channel rule over arbitrary bytes, checked against
// a second reading of the rules written with std::from_chars (TextToIntModel.h).
#include "FuzzCheck.h"
#include "TextToIntModel.h"
#include "color/User.h"

#include <cstdint>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const std::string_view text = fuzz::AsText(data, size);

    std::optional<std::int32_t> value;
    const auto error = fuzz::ErrorOf([&] { value = TextToInt(text); });
    FUZZ_CHECK(value == fuzz::ExpectedInt(text));
    if (!value)
        FUZZ_CHECK(error == fuzz::NotAnIntegerMessage(text));
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
