// The colour set file reader over arbitrary bytes, held to a model written here from the
// rules: the text ends at a zero byte; lines end at CR LF, LF or CR; the first three lines are
// red, green and blue by TextToInt's grammar (TextToIntModel.h), a line longer than 256 bytes
// being no integer; each clamped into 0..255; the first error in the order red, green, blue:
// a missing line k gives "リストのインデックスが範囲を超えています (k)", a bad line
// "'%s' は整数ではありません" with the line decoded from code page 932.
#include "FuzzCheck.h"
#include "IcuCp932.h"
#include "TextToIntModel.h"
#include "color/ColorSetFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLineLimit = 256;

// The first lines of the text, at most three.
std::vector<std::string_view> FirstLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t k = 0;
    for (; k < bytes.size() && bytes[k] != '\0' && lines.size() < 3; ++k) {
        if (bytes[k] == '\r' || bytes[k] == '\n') {
            lines.push_back(bytes.substr(start, k - start));
            if (bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')
                ++k;
            start = k + 1;
        }
    }
    if (lines.size() < 3 && k > start)
        lines.push_back(bytes.substr(start, k - start));
    return lines;
}

struct Outcome {
    std::optional<tinsora::ColorRGB> color;
    std::string error;
};

Outcome Model(std::string_view bytes) {
    const auto lines = FirstLines(bytes);
    std::int32_t channels[3] = {};
    for (std::size_t k = 0; k < 3; ++k) {
        if (k >= lines.size())
            return {std::nullopt,
                    "リストのインデックスが範囲を超えています (" + std::to_string(k) + ")"};
        const std::optional<std::int32_t> value =
            lines[k].size() <= kLineLimit ? fuzz::ExpectedInt(lines[k]) : std::nullopt;
        if (!value)
            return {std::nullopt, fuzz::NotAnIntegerMessage(fuzz::icu932::DecodeText(lines[k]))};
        channels[k] = *value < 0 ? 0 : *value > 255 ? 255 : *value;
    }
    return {tinsora::ColorRGB{channels[0], channels[1], channels[2]}, {}};
}

// The colour the program's reader sets, channel by channel.
tinsora::ColorRGB ReadAll(std::string_view bytes) {
    tinsora::ColorRGB color{-1, -1, -1};
    tinsora::ReadColorSetFile(bytes, [&](int channel, std::int32_t value) {
        (channel == 0 ? color.Red : channel == 1 ? color.Green : color.Blue) = value;
    });
    return color;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const std::string_view bytes = fuzz::AsText(data, size);
    const Outcome expected = Model(bytes);

    ColorRGB color{-1, -1, -1};
    const auto error = fuzz::ErrorOf([&] { color = ReadAll(bytes); });
    if (expected.color) {
        FUZZ_CHECK(!error);
        FUZZ_CHECK(color == *expected.color);
        // What is read writes as a file of 9 to 15 bytes that reads as the same colour.
        const std::string written = ColorSetFileBytes(color);
        FUZZ_CHECK(written.size() >= 9 && written.size() <= 15);
        FUZZ_CHECK(Model(written).color == color);
    } else {
        FUZZ_CHECK(error == expected.error);
        FUZZ_CHECK(fuzz::IsUtf8(*error));
    }

    // Loading sets the channels one by one: the channels before the first error are the
    // model's too.
    const auto lines = ColorSetFileLines(bytes);
    for (int k = 0; k < 3; ++k) {
        std::int32_t value = 0;
        const auto e = fuzz::ErrorOf([&] { value = ColorSetFileChannel(lines, k); });
        if (e) {
            FUZZ_CHECK(!expected.color && e == expected.error);
            break;
        }
        if (expected.color) {
            const std::int32_t channel = k == 0   ? expected.color->Red
                                         : k == 1 ? expected.color->Green
                                                  : expected.color->Blue;
            FUZZ_CHECK(ClampChannel(value) == channel);
        }
    }

    // Reading only the first bytes of a file, as the window does, changes nothing but how
    // much of a line too long the message shows.
    const std::string_view head = bytes.substr(0, kColorSetFileReadLimit);
    const Outcome fromHead = Model(head);
    FUZZ_CHECK(fromHead.color == expected.color);
    if (!expected.color && fromHead.error != expected.error)
        FUZZ_CHECK(expected.error.ends_with("は整数ではありません") &&
                   fromHead.error.ends_with("は整数ではありません"));
    const auto headError = fuzz::ErrorOf([&] { color = ReadAll(head); });
    if (fromHead.color)
        FUZZ_CHECK(!headError && color == *fromHead.color);
    else
        FUZZ_CHECK(headError == fromHead.error);
    return 0;
}
