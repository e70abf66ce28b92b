#include "SaveFile.h"

#include "text/Error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The nine permission bits exactly; QFileInfo::permissions() would add the
// write permission root has on every file.
QFileDevice::Permissions ToPermissions(fs::perms perms) {
    const std::pair<fs::perms, QFileDevice::Permission> bits[] = {
        {fs::perms::owner_read, QFileDevice::ReadOwner},
        {fs::perms::owner_write, QFileDevice::WriteOwner},
        {fs::perms::owner_exec, QFileDevice::ExeOwner},
        {fs::perms::group_read, QFileDevice::ReadGroup},
        {fs::perms::group_write, QFileDevice::WriteGroup},
        {fs::perms::group_exec, QFileDevice::ExeGroup},
        {fs::perms::others_read, QFileDevice::ReadOther},
        {fs::perms::others_write, QFileDevice::WriteOther},
        {fs::perms::others_exec, QFileDevice::ExeOther}};
    QFileDevice::Permissions result;
    for (const auto& [perm, permission] : bits) {
        if ((perms & perm) != fs::perms::none)
            result |= permission;
    }
    return result;
}

// A write that failed (a full disk, a file size limit): the message names the file.
tinsora::Error WriteFailed(const std::string& path) {
    return tinsora::Error(
        QCoreApplication::translate("SaveFile", "ファイル %1 への書き込みエラー")
            .arg(QString::fromStdString(tinsora::ShownInMessage(path, tinsora::kShownPathLimit)))
            .toStdString());
}

bool Write(QFileDevice& file, std::string_view bytes) {
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

// Whether a file made in the folder of target gets the owner and group target has.
bool NewFileKeepsOwner(const QString& target, const QFileInfo& original) {
    QTemporaryFile probe(target + QStringLiteral(".XXXXXX"));
    if (!probe.open())
        return false;
    const QFileInfo made(probe.fileName());
    return made.ownerId() == original.ownerId() && made.groupId() == original.groupId();
}

// Written beside the old file and put in its place only when complete. False
// when no file can be made beside it.
bool SaveBeside(const QString& target, std::string_view bytes,
                std::optional<QFileDevice::Permissions> permissions, const std::string& shown) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (permissions && !file.setPermissions(*permissions)) {
        file.cancelWriting();
        return false;
    }
    // A full disk can end a write short without an error being reported, so
    // the size on disk is checked before the old file is replaced.
    const auto size = static_cast<qint64>(bytes.size());
    if (!Write(file, bytes) || !file.flush() || file.size() != size) {
        file.cancelWriting();
        throw WriteFailed(shown);
    }
    if (!file.commit())
        throw WriteFailed(shown);
    return true;
}

// Writes into the file itself, so that it stays the same file. The bytes past
// the old end go first: that is where a full disk or a file size limit stops a
// write, and then the old bytes are all still there. The bytes overwritten are
// kept until the write is through, to be put back if it fails.
void SaveInPlace(const QString& target, std::string_view bytes, const std::string& shown) {
    QFile file(target);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw tinsora::CannotCreateError(shown);
    const qint64 oldSize = file.size();
    const auto newSize = static_cast<qint64>(bytes.size());
    const qint64 common = std::min(oldSize, newSize);
    const QByteArray overwritten = file.read(common);
    if (overwritten.size() != common)
        throw WriteFailed(shown);
    const auto fail = [&] {
        if (file.seek(0))
            file.write(overwritten);
        file.resize(oldSize);
        return WriteFailed(shown);
    };
    if (newSize > oldSize &&
        (!file.seek(oldSize) || !Write(file, bytes.substr(static_cast<std::size_t>(oldSize)))))
        throw fail();
    if (!file.seek(0) || !Write(file, bytes.substr(0, static_cast<std::size_t>(common))))
        throw fail();
    if ((newSize < oldSize && !file.resize(newSize)) || file.size() != newSize)
        throw fail();
}

} // namespace

void SaveFileBytes(const QString& path, std::string_view bytes) {
    const std::string shown = path.toStdString();
    const QFileInfo info(path);
    std::error_code error;
    const fs::path name = info.filesystemAbsoluteFilePath();
    const fs::file_status status = fs::status(name, error);
    if (status.type() == fs::file_type::not_found) {
        if (!SaveBeside(path, bytes, std::nullopt, shown))
            throw tinsora::CannotCreateError(shown);
        return;
    }
    if (error || status.type() != fs::file_type::regular || !info.isWritable())
        throw tinsora::CannotCreateError(shown);

    // Through a symbolic link to the file it names, so the link stays a link.
    const QString target = info.canonicalFilePath();
    const QFileInfo original(target);
    constexpr fs::perms kSpecial = fs::perms::set_uid | fs::perms::set_gid | fs::perms::sticky_bit;
    const std::uintmax_t links = fs::hard_link_count(name, error);
    const bool replaceable = !error && links == 1 &&
                             (status.permissions() & kSpecial) == fs::perms::none &&
                             NewFileKeepsOwner(target, original);
    if (replaceable && SaveBeside(target, bytes, ToPermissions(status.permissions()), shown))
        return;
    SaveInPlace(target, bytes, shown);
}
