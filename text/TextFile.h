#pragma once

#include "text/Error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The lines of LineReader (text/LineReader.h) as strings.
std::vector<std::string> SplitLines(std::string_view bytes);

/// The most bytes a whole-file read takes when no other limit is given (1 GiB).
inline constexpr std::uint64_t kDefaultReadLimit = 1073741824;

/// The files a read accepts: any that can be opened (pipes, FIFOs, devices
/// included), or regular files only.
enum class FileKind { Any, Regular };

/// "ファイル %s は大きすぎます (上限は %d バイトです)": a file whose text passes the limit of its
/// read.
class FileTooLargeError : public Error {
public:
    FileTooLargeError(std::string_view path, std::uint64_t limit);
    std::uint64_t limit() const { return limit_; }

private:
    std::uint64_t limit_;
};

/// Fills up to size bytes at data and returns how many, 0 at the end; throws on a read error.
using ByteSource = std::function<std::size_t(char* data, std::size_t size)>;

/// What a read took: the text up to its end or its first zero byte (which ends
/// a text), or the first bytes of it when the limit came first.
struct TextRead {
    std::string bytes;
    bool complete = true; ///< false when the text goes on past the limit
};

/// Reads at most limit bytes of text from source; sizeHint, when known, is
/// the size of the whole source.
TextRead ReadText(const ByteSource& source, std::uint64_t limit, std::uint64_t sizeHint = 0);

/// Opens path and reads at most limit bytes of its text; throws
/// CannotOpenError(path) when it cannot be opened or read or is not of kind
/// (asked before anything waits on it, so a FIFO refused never blocks).
TextRead ReadFileText(const std::string& path, std::uint64_t limit, FileKind kind = FileKind::Any);

/// The whole text of a file; throws FileTooLargeError when it passes limit (a
/// regular file as soon as its size does), and the errors of ReadFileText.
std::string ReadFileBytes(const std::string& path, std::uint64_t limit = kDefaultReadLimit,
                          FileKind kind = FileKind::Any);

} // namespace tinsora
