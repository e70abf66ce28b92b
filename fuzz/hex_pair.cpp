// HexPairToChannel over arbitrary bytes: never fails, reads two characters at most.
#include "FuzzCheck.h"
#include "color/User.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

int DigitValue(std::string_view text, std::size_t k) {
    if (k >= text.size())
        return 0;
    const char c = text[k];
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const std::string_view text = fuzz::AsText(data, size);

    const std::int32_t channel = HexPairToChannel(text);
    FUZZ_CHECK(channel >= 0 && channel <= 255);
    FUZZ_CHECK(channel == 16 * DigitValue(text, 0) + DigitValue(text, 1));
    FUZZ_CHECK(channel == HexPairToChannel(text.substr(0, 2)));

    // The channel written back as hexadecimal reads as itself.
    const std::string hex = ChannelToHex(channel);
    FUZZ_CHECK(hex.size() == 2 && HexPairToChannel(hex) == channel);
    std::string appended = "#";
    AppendChannelHex(appended, channel);
    FUZZ_CHECK(appended == "#" + hex);
    return 0;
}
