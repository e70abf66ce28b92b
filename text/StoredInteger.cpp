#include "text/StoredInteger.h"

#include "color/User.h"
#include "text/Error.h"

namespace tinsora {

// A bad value is no error the user could act on: the setting keeps its default, silently.
std::int32_t StoredInteger(std::optional<std::string_view> text, std::int32_t fallback) {
    if (!text)
        return fallback;
    try {
        return TextToInt(*text);
    } catch (const Error&) {
        return fallback;
    }
}

} // namespace tinsora
