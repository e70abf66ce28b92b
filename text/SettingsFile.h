#pragma once

#include <cstdint>
#include <string>

namespace tinsora {

/// The most bytes a settings file may hold (64 KiB); the program writes a few dozen.
inline constexpr std::uint64_t kSettingsFileLimit = 65536;

/// What stands at the name of a settings file, judged without opening it.
enum class SettingsFileKind {
    Missing, ///< nothing has the name, not even a link: a new file may be made there
    Usable,  ///< a regular file, through symbolic links or not, of at most kSettingsFileLimit bytes
    Refused, ///< anything else: a FIFO, a device, a folder, a socket, a link to nothing or to one
             ///< of those, a larger file, a name that cannot be looked at
};

/// Judges the settings file at path (a local file name in the system's encoding).
SettingsFileKind JudgeSettingsFile(const std::string& path);

/// Whether the lock file at path may be taken and removed: nothing is there, or a regular file
/// (not a link) of no more than a lock's few lines.
bool LockFileUsable(const std::string& path);

} // namespace tinsora
