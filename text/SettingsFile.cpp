#include "text/SettingsFile.h"

#include <filesystem>
#include <system_error>

namespace tinsora {

namespace {

namespace fs = std::filesystem;

// A lock file holds a process number, a program name, a host name and a boot id.
constexpr std::uintmax_t kLockFileLimit = 4096;

} // namespace

SettingsFileKind JudgeSettingsFile(const std::string& path) {
    std::error_code error;
    const fs::path name(path);
    const fs::file_status own = fs::symlink_status(name, error);
    if (own.type() == fs::file_type::not_found)
        return SettingsFileKind::Missing;
    if (error)
        return SettingsFileKind::Refused;
    const fs::file_status target = fs::status(name, error);
    if (error || target.type() != fs::file_type::regular)
        return SettingsFileKind::Refused;
    const std::uintmax_t size = fs::file_size(name, error);
    if (error || size > kSettingsFileLimit)
        return SettingsFileKind::Refused;
    return SettingsFileKind::Usable;
}

bool LockFileUsable(const std::string& path) {
    std::error_code error;
    const fs::path name(path);
    const fs::file_status own = fs::symlink_status(name, error);
    if (own.type() == fs::file_type::not_found)
        return true;
    if (error || own.type() != fs::file_type::regular)
        return false;
    const std::uintmax_t size = fs::file_size(name, error);
    return !error && size <= kLockFileLimit;
}

} // namespace tinsora
