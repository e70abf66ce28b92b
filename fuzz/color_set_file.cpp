// The colour set file reader over arbitrary bytes: the colour, or the first
// error met in the order red, green, blue.
#include "FuzzCheck.h"
#include "color/ColorSetFile.h"
#include "text/Cp932.h"
#include "text/TextFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const std::string_view bytes = fuzz::AsText(data, size);

    const auto lines = ColorSetFileLines(bytes);
    FUZZ_CHECK(lines == SplitLines(bytes));

    // Channel by channel, as loading sets them.
    std::int32_t channels[3] = {0, 0, 0};
    std::optional<std::string> expectedError;
    for (int k = 0; k < 3 && !expectedError; ++k) {
        std::int32_t value = 0;
        expectedError = fuzz::ErrorOf([&] { value = ColorSetFileChannel(lines, k); });
        if (static_cast<std::size_t>(k) >= lines.size()) {
            FUZZ_CHECK(expectedError == fuzz::Message(ListIndexError(k)));
        } else if (expectedError) {
            // A line too long, or one TextToInt refuses, shown as code page 932.
            FUZZ_CHECK(lines[k].size() > kColorSetFileLineLimit ||
                       fuzz::ErrorOf([&] { TextToInt(lines[k]); }));
            FUZZ_CHECK(expectedError == fuzz::Message(NotAnIntegerError(Cp932ToUtf8(lines[k]))));
            FUZZ_CHECK(fuzz::IsUtf8(*expectedError));
        } else {
            FUZZ_CHECK(lines[k].size() <= kColorSetFileLineLimit);
            FUZZ_CHECK(value == TextToInt(lines[k]));
        }
        channels[k] = ClampChannel(value);
    }

    ColorRGB color{-1, -1, -1};
    const auto error = fuzz::ErrorOf([&] { color = ReadColorSetFile(bytes); });
    FUZZ_CHECK(error == expectedError);
    if (!error) {
        FUZZ_CHECK(color == (ColorRGB{channels[0], channels[1], channels[2]}));
        // What is read back writes as a file of 9 to 15 bytes that reads as the same colour.
        const std::string written = ColorSetFileBytes(color);
        FUZZ_CHECK(written.size() >= 9 && written.size() <= 15);
        FUZZ_CHECK(ReadColorSetFile(written) == color);
    }

    // Reading only the first bytes of a file changes nothing but how much of a
    // line too long the message shows.
    ColorRGB headColor{-1, -1, -1};
    const auto headError = fuzz::ErrorOf(
        [&] { headColor = ReadColorSetFile(bytes.substr(0, kColorSetFileReadLimit)); });
    FUZZ_CHECK(headError.has_value() == error.has_value());
    if (error) {
        FUZZ_CHECK(*headError == *error ||
                   (headError->find("は整数ではありません") != std::string::npos &&
                    error->find("は整数ではありません") != std::string::npos));
    } else {
        FUZZ_CHECK(headColor == color);
    }

    const int past = static_cast<int>(lines.size() < 3 ? 3 : lines.size());
    FUZZ_CHECK(fuzz::ErrorOf([&] { ColorSetFileChannel(lines, past); }) ==
               fuzz::Message(ListIndexError(past)));
    FUZZ_CHECK(fuzz::ErrorOf([&] { ColorSetFileChannel(lines, -1); }) ==
               fuzz::Message(ListIndexError(-1)));
    return 0;
}
