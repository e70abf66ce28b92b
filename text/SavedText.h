#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tinsora {

/// The encodings a text is saved in.
enum class SaveEncoding { Utf8, Cp932 };

/// A text held with LF line ends (UTF-8) as a saved file holds it: every LF as CR LF, in UTF-8
/// as it is or in code page 932, where a character without a code page 932 form is written as
/// its decimal character reference ("&#8364;" for U+20AC) and a byte that is not UTF-8 as
/// "&#65533;". Made piece by piece: progress, when given, is told the bytes of text done after
/// each piece and may throw to stop.
std::string SavedText(std::string_view text, SaveEncoding encoding,
                      const std::function<void(std::size_t done)>& progress = {});

} // namespace tinsora
