// The rule that turns a stored setting into an integer: TextToInt's grammar
// (TextToIntModel.h) or the default, never an error, whatever the text; and every
// value the window writes (decimal text) reads back as itself.
#include "FuzzCheck.h"
#include "TextToIntModel.h"
#include "color/StoredInteger.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tinsora::StoredInteger;
    FuzzedDataProvider in(data, size);
    const auto fallback = in.ConsumeIntegral<std::int32_t>();
    const auto written = in.ConsumeIntegral<std::int32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    std::int32_t value = 0;
    FUZZ_CHECK(!fuzz::ErrorOf([&] { value = StoredInteger(text, fallback); }));
    FUZZ_CHECK(value == fuzz::ExpectedInt(text).value_or(fallback));
    FUZZ_CHECK(StoredInteger(std::nullopt, fallback) == fallback);
    FUZZ_CHECK(StoredInteger(std::to_string(written), fallback) == written);
    return 0;
}
