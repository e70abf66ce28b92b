#pragma once

#include "text/Cp932.h"

#include <cstddef>
#include <iterator>
#include <string>

namespace tinsora::bench {

/// About size bytes of code page 932 text, Japanese and ASCII mixed, in lines
/// of about 80 bytes ended by CR LF that never split a double-byte character:
/// the text file the gradient text benchmarks run on.
inline std::string MixedCp932Text(std::size_t size) {
    const std::string words[] = {
        Utf8ToCp932("グラデーション文字"), "gradient ",  Utf8ToCp932("は一文字ずつ"), "<FONT> ",
        Utf8ToCp932("色を変えて"),         "HTML 4.0 ",  Utf8ToCp932("表示します。"), "Tinsora, ",
        Utf8ToCp932("ﾃｷｽﾄﾌｧｲﾙ"),           "1234567890 "};
    std::string text;
    std::string line;
    for (std::size_t k = 0; text.size() < size; ++k) {
        const std::string& w = words[(k * 7) % std::size(words)];
        if (line.size() + w.size() > 80) {
            text += line;
            text += "\r\n";
            line.clear();
        }
        line += w;
    }
    return text;
}

} // namespace tinsora::bench
