// The arrows beside the table's number boxes over runs of clicks on any texts, held to a
// model: a position of their own in 0..100 that moves first, then TextToInt of the box
// (TextToIntModel.h) plus or minus one in decimal; nothing at the ends, bad text or not.
#include "FuzzCheck.h"
#include "TextToIntModel.h"
#include "app/UpDownStep.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>

namespace {

std::string BoxText(FuzzedDataProvider& in) {
    static constexpr const char* kTexts[] = {"",          "0",          "1",           "99", "-1",
                                             "$7FFFFFFF", "2147483647", "-2147483648", " 5", "5 ",
                                             "x",         "大",         "0x10"};
    if (in.ConsumeBool())
        return in.PickValueInArray(kTexts);
    return in.ConsumeRandomLengthString(12);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    tinsora::UpDownStep arrows;
    int position = in.ConsumeIntegralInRange(tinsora::UpDownStep::kMin, tinsora::UpDownStep::kMax);
    arrows.position = position;
    while (in.remaining_bytes() > 0) {
        const bool up = in.ConsumeBool();
        const std::string text = BoxText(in);
        std::optional<std::string> result;
        const auto error =
            fuzz::ErrorOf([&] { result = up ? arrows.Up(text) : arrows.Down(text); });

        const bool atEnd =
            up ? position >= tinsora::UpDownStep::kMax : position <= tinsora::UpDownStep::kMin;
        if (atEnd) {
            FUZZ_CHECK(!error && !result);
        } else {
            position += up ? 1 : -1;
            const auto value = fuzz::ExpectedInt(text);
            if (value) {
                FUZZ_CHECK(!error);
                FUZZ_CHECK(result == std::to_string(std::int64_t{*value} + (up ? 1 : -1)));
            } else {
                FUZZ_CHECK_SAME(error, std::optional<std::string>(fuzz::NotAnIntegerMessage(text)));
                FUZZ_CHECK(!result);
            }
        }
        FUZZ_CHECK(arrows.position == position);
    }
    return 0;
}
