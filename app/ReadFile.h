#pragma once

#include "text/TextFile.h"

#include <QString>
#include <cstdint>
#include <string>

/// Reads at most limit bytes of the text of the regular file at path; throws
/// CannotOpenError(path) when path names no regular file that can be read (a
/// FIFO or a device is refused before it is opened, so it never blocks).
tinsora::TextRead ReadRegularFile(const QString& path, std::uint64_t limit);

/// The whole text of the regular file at path; throws FileTooLargeError when
/// the file is larger than limit, and the errors of ReadRegularFile.
std::string ReadWholeRegularFile(const QString& path, std::uint64_t limit);
