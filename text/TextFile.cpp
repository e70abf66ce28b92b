#include "text/TextFile.h"

#include "text/Error.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace tinsora {

std::vector<std::string_view> SplitLineViews(std::string_view bytes) {
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t k = 0;
    while (k < bytes.size()) {
        const char c = bytes[k];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, k - start));
            if (c == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')
                ++k;
            start = ++k;
        } else {
            ++k;
        }
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    const std::vector<std::string_view> views = SplitLineViews(bytes);
    return std::vector<std::string>(views.begin(), views.end());
}

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
} // namespace

std::string ReadFileBytes(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw CannotOpenError(path);
    std::string bytes;
    char buffer[1 << 16];
    for (bool sized = false;; sized = true) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, n);
        if (n < sizeof buffer) {
            if (std::ferror(file.get()))
                throw CannotOpenError(path);
            break;
        }
        // A file larger than one read: room for all of it at once, as far as
        // its size can be told, rather than copies as the text grows. (Asked
        // only now, once a read has shown it is a file that can be read.)
        if (!sized) {
            const long at = std::ftell(file.get());
            if (at > 0 && std::fseek(file.get(), 0, SEEK_END) == 0) {
                const long size = std::ftell(file.get());
                if (std::fseek(file.get(), at, SEEK_SET) != 0)
                    throw CannotOpenError(path);
                if (size > at)
                    bytes.reserve(static_cast<std::size_t>(size));
            }
        }
    }
    return bytes;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    return SplitLines(ReadFileBytes(path));
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace tinsora
