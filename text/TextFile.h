#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// Splits text into lines at CR LF, LF or CR; a zero byte ends the text and a
/// final line end adds no empty line. Lines carry no line-end bytes.
std::vector<std::string> SplitLines(std::string_view bytes);

/// SplitLines as views into bytes, for large texts read once.
std::vector<std::string_view> SplitLineViews(std::string_view bytes);

/// Reads a whole file as bytes; throws CannotOpenError(path) when it cannot be read.
std::string ReadFileBytes(const std::string& path);

/// ReadFileBytes then SplitLines.
std::vector<std::string> ReadTextLines(const std::string& path);

/// Joins lines, each followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

} // namespace tinsora
