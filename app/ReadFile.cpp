#include "ReadFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

tinsora::TextRead Read(const QString& path, const QFileInfo& info, std::uint64_t limit) {
    const std::string name = path.toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw tinsora::CannotOpenError(name);
    return tinsora::ReadText(
        [&](char* data, std::size_t size) {
            const qint64 n = file.read(data, static_cast<qint64>(size));
            if (n < 0)
                throw tinsora::CannotOpenError(name);
            return static_cast<std::size_t>(n);
        },
        limit, static_cast<std::uint64_t>(std::max<qint64>(0, info.size())));
}

// Asked of the name alone: opening a FIFO waits for a writer.
QFileInfo RegularFile(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        throw tinsora::CannotOpenError(path.toStdString());
    return info;
}

} // namespace

tinsora::TextRead ReadRegularFile(const QString& path, std::uint64_t limit) {
    return Read(path, RegularFile(path), limit);
}

std::string ReadWholeRegularFile(const QString& path, std::uint64_t limit) {
    const QFileInfo info = RegularFile(path);
    if (static_cast<std::uint64_t>(std::max<qint64>(0, info.size())) > limit)
        throw tinsora::FileTooLargeError(path.toStdString(), limit);
    tinsora::TextRead read = Read(path, info, limit);
    if (!read.complete)
        throw tinsora::FileTooLargeError(path.toStdString(), limit);
    return std::move(read.bytes);
}
