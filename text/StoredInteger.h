#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tinsora {

/// A stored setting as an integer: TextToInt of its text, or fallback when there is no text
/// (a missing value, or one stored as something other than text) or the text is no integer.
std::int32_t StoredInteger(std::optional<std::string_view> text, std::int32_t fallback);

} // namespace tinsora
