// The template list reader over arbitrary bytes: the names shown, their
// decoding for the list box, and the colour behind every name.
#include "color/Templates.h"

#include "FuzzCheck.h"
#include "text/Cp932.h"
#include "text/TextFile.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const auto lines = SplitLines(fuzz::AsText(data, size));
    const auto names = TemplateNames(lines);

    // Names are the even lines up to "end;" or the end of the lines.
    FUZZ_CHECK(names.size() <= (lines.size() + 1) / 2);
    const std::size_t next = 2 * names.size();
    FUZZ_CHECK(next >= lines.size() || lines[next] == "end;");

    for (std::size_t k = 0; k < names.size(); ++k) {
        FUZZ_CHECK(names[k] == lines[2 * k]);
        FUZZ_CHECK(names[k] != "end;");
        FUZZ_CHECK(fuzz::IsUtf8(Cp932ToUtf8(names[k])));

        const std::string* line = nullptr;
        const auto error = fuzz::ErrorOf([&] { line = &TemplateColorLine(lines, k); });
        if (2 * k + 1 >= lines.size()) {
            FUZZ_CHECK(error == fuzz::Message(ListIndexError(static_cast<long long>(2 * k + 1))));
            continue;
        }
        FUZZ_CHECK(!error && line == &lines[2 * k + 1]);

        const ColorRGB color = TemplateColor(*line);
        const auto piece = [&](std::size_t at) {
            return at < line->size() ? std::string_view(*line).substr(at, 2) : std::string_view{};
        };
        FUZZ_CHECK(color.Red == HexPairToChannel(piece(0)));
        FUZZ_CHECK(color.Green == HexPairToChannel(piece(2)));
        FUZZ_CHECK(color.Blue == HexPairToChannel(piece(4)));
    }
    return 0;
}
