#pragma once

#include "color/User.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora::cli {

/// A mistake on the command line: reported with the usage text, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Six hexadecimal digits RRGGBB, "#" optional; nothing else is a colour.
std::optional<ColorRGB> ParseColor(std::string_view text);

/// ParseColor or a UsageError naming the option.
ColorRGB RequireColor(std::string_view option, std::string_view text);

/// Writes all bytes to standard output; throws Error when writing fails.
void WriteOut(std::string_view bytes);

/// Takes the value of an option that needs one, or throws UsageError.
std::string TakeValue(const std::vector<std::string>& args, std::size_t& k);

} // namespace tinsora::cli
