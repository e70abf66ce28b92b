#include "text/TextFile.h"

#include "text/Error.h"
#include "text/LineReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tinsora {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string_view line;
    for (LineReader reader(bytes); reader.Next(line);)
        lines.emplace_back(line);
    return lines;
}

FileTooLargeError::FileTooLargeError(std::string_view path, std::uint64_t limit)
    : Error(MessageCode::FileTooLarge,
            {ShownInMessage(path, kShownPathLimit), std::to_string(limit)}),
      limit_(limit) {}

TextRead ReadText(const ByteSource& source, std::uint64_t limit, std::uint64_t sizeHint) {
    // One byte past the limit tells a text that ends at the limit from one that goes on.
    const std::uint64_t wanted = limit < UINT64_MAX ? limit + 1 : limit;
    // The text goes into pieces, each reserved once and filled, joined when the text is
    // complete: a string grown as it goes holds its old bytes and a copy of them at every
    // growth, which at the limit is the limit twice.
    constexpr std::uint64_t kFirstPiece = std::uint64_t{1} << 16;
    constexpr std::uint64_t kLargestPiece = std::uint64_t{1} << 24;
    std::vector<std::string> pieces(1);
    std::uint64_t nextPiece = sizeHint > 0 ? std::min(sizeHint, wanted) : kFirstPiece;
    pieces.back().reserve(static_cast<std::size_t>(nextPiece));
    std::uint64_t size = 0;
    char buffer[1 << 16];
    while (size < wanted) {
        const auto ask =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer, wanted - size));
        std::size_t n = source(buffer, ask);
        if (n == 0)
            break;
        const auto* zero = static_cast<const char*>(std::memchr(buffer, 0, n));
        if (zero)
            n = static_cast<std::size_t>(zero - buffer);
        std::string* piece = &pieces.back();
        if (piece->size() + n > piece->capacity()) {
            nextPiece = std::min({nextPiece * 2, kLargestPiece, wanted - size});
            piece = &pieces.emplace_back();
            piece->reserve(static_cast<std::size_t>(std::max<std::uint64_t>(nextPiece, n)));
        }
        piece->append(buffer, n);
        size += n;
        if (zero)
            break; // a zero byte ends the text
    }
    TextRead read;
    if (pieces.size() == 1) {
        read.bytes = std::move(pieces.front());
    } else {
        read.bytes.reserve(static_cast<std::size_t>(size));
        for (std::string& piece : pieces) {
            read.bytes.append(piece);
            std::string().swap(piece); // given back at once: the text is held about once
        }
    }
    if (read.bytes.size() > limit) {
        read.bytes.resize(static_cast<std::size_t>(limit));
        read.complete = false;
    }
    return read;
}

namespace {

TextRead ReadStream(std::FILE* stream, std::string_view name, std::uint64_t limit,
                    std::uint64_t sizeHint) {
    return ReadText(
        [&](char* data, std::size_t size) {
            const std::size_t n = std::fread(data, 1, size, stream);
            if (n < size && std::ferror(stream))
                throw CannotOpenError(name);
            return n;
        },
        limit, sizeHint);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct OpenedFile {
    FilePtr file;
    bool regular = false;
    std::uint64_t size = 0; // of a regular file
};

OpenedFile Open(const std::string& path, FileKind kind) {
    OpenedFile opened;
#ifdef _WIN32
    const std::filesystem::path name(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
    std::error_code error;
    const auto status = std::filesystem::status(name, error);
    opened.regular = !error && std::filesystem::is_regular_file(status);
    if (error || std::filesystem::is_directory(status) ||
        (kind == FileKind::Regular && !opened.regular))
        throw CannotOpenError(path);
    opened.file.reset(_wfopen(name.c_str(), L"rb"));
    if (!opened.file)
        throw CannotOpenError(path);
    if (opened.regular) {
        const auto size = std::filesystem::file_size(name, error);
        opened.size = error ? 0 : static_cast<std::uint64_t>(size);
    }
#else
    struct stat info {};
    // Something that is not a regular file is refused by its name alone: opening
    // a FIFO waits for a writer, and opening a device can do things of its own.
    if (kind == FileKind::Regular && (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)))
        throw CannotOpenError(path);
    // Not waiting on what may have taken the name's place since.
    const int flags = O_RDONLY | O_CLOEXEC | (kind == FileKind::Regular ? O_NONBLOCK : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        throw CannotOpenError(path);
    opened.file.reset(::fdopen(fd, "rb"));
    if (!opened.file) {
        ::close(fd);
        throw CannotOpenError(path);
    }
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        throw CannotOpenError(path);
    opened.regular = S_ISREG(info.st_mode);
    if (kind == FileKind::Regular &&
        (!opened.regular || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0))
        throw CannotOpenError(path);
    if (opened.regular)
        opened.size = static_cast<std::uint64_t>(info.st_size);
#endif
    return opened;
}

} // namespace

TextRead ReadFileText(const std::string& path, std::uint64_t limit, FileKind kind) {
    const OpenedFile opened = Open(path, kind);
    return ReadStream(opened.file.get(), path, limit, opened.size);
}

std::string ReadFileBytes(const std::string& path, std::uint64_t limit, FileKind kind) {
    const OpenedFile opened = Open(path, kind);
    if (opened.regular && opened.size > limit)
        throw FileTooLargeError(path, limit);
    TextRead read = ReadStream(opened.file.get(), path, limit, opened.size);
    if (!read.complete)
        throw FileTooLargeError(path, limit);
    return std::move(read.bytes);
}

} // namespace tinsora
