#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace tinsora::test {

/// A new empty folder under the system's temporary folder, removed with all it
/// holds when the object goes.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            auto candidate = base / ("tinsora-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                path_ = candidate.string();
        }
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    /// The folder's path; empty when none could be made.
    const std::string& Path() const { return path_; }
    /// The path of a name inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace tinsora::test
