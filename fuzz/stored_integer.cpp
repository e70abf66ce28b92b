// The stored settings: the rule that turns a stored setting into an integer (TextToInt's
// grammar, TextToIntModel.h, or the default, never an error, whatever the text; every value
// the window writes reads back as itself), and the judgement of the settings file and its
// lock before anything opens them, over files of every kind made in a folder of the run's
// own: nothing, regular files of any size about the 64 KiB limit, links to them, to links, to
// nothing and round in a loop, FIFOs, folders, devices, sockets, a name under a file. The
// judgement must be the model's, must not wait (a FIFO opened would wait for a writer), and
// must change nothing.
#include "FuzzCheck.h"
#include "TextToIntModel.h"
#include "text/SettingsFile.h"
#include "text/StoredInteger.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tinsora::SettingsFileKind;

const fs::path& Folder() {
    static const fs::path folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string name =
            std::string(tmp && *tmp ? tmp : "/tmp") + "/tinsora-fuzz-settings-XXXXXX";
        if (!::mkdtemp(name.data()))
            std::abort();
        return fs::path(name);
    }();
    return folder;
}

void WriteBytes(const fs::path& path, std::size_t size) {
    const std::string bytes(size, ';');
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, size, f) != size || std::fclose(f) != 0)
        std::abort();
}

// What the model expects of a name: the settings file's judgement, and whether it may be
// taken as a lock file.
struct Expected {
    SettingsFileKind settings;
    bool lock;
};

// Makes something at path, as the input says; what the program should make of it.
Expected Make(FuzzedDataProvider& in, const fs::path& path) {
    const auto size = [&]() -> std::size_t {
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange<std::size_t>(0, 200);
        case 1:
            return tinsora::kSettingsFileLimit - 1 + in.ConsumeIntegralInRange<std::size_t>(0, 2);
        case 2:
            return in.ConsumeIntegralInRange<std::size_t>(4090, 4100);
        default:
            return in.ConsumeIntegralInRange<std::size_t>(0, 2 * tinsora::kSettingsFileLimit);
        }
    };
    const auto sizedFile = [](std::size_t n) {
        return n <= tinsora::kSettingsFileLimit ? SettingsFileKind::Usable
                                                : SettingsFileKind::Refused;
    };
    const fs::path other = Folder() / "other";
    switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0:
        return {SettingsFileKind::Missing, true};
    case 1: {
        const std::size_t n = size();
        WriteBytes(path, n);
        return {sizedFile(n), n <= 4096};
    }
    case 2: { // a link, or a link to a link, to a regular file
        const std::size_t n = size();
        WriteBytes(other, n);
        if (in.ConsumeBool()) {
            fs::create_symlink(other, Folder() / "middle");
            fs::create_symlink(Folder() / "middle", path);
        } else {
            fs::create_symlink(other, path);
        }
        return {sizedFile(n), false};
    }
    case 3:
        fs::create_symlink(Folder() / "nothing", path);
        return {SettingsFileKind::Refused, false};
    case 4: // a loop of links
        fs::create_symlink(path, other);
        fs::create_symlink(other, path);
        return {SettingsFileKind::Refused, false};
    case 5:
        if (::mkfifo(path.c_str(), 0600) != 0)
            std::abort();
        return {SettingsFileKind::Refused, false};
    case 6:
        fs::create_directory(path);
        return {SettingsFileKind::Refused, false};
    case 7:
        fs::create_directory(other);
        fs::create_symlink(other, path);
        return {SettingsFileKind::Refused, false};
    case 8: // a device: made here where the run may, the system's /dev/null named otherwise
        if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            fs::create_symlink("/dev/null", path);
        return {SettingsFileKind::Refused, false};
    default: {
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string name = path.string();
        if (s < 0 || name.size() >= sizeof address.sun_path)
            std::abort();
        name.copy(address.sun_path, name.size());
        if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            std::abort();
        ::close(s);
        return {SettingsFileKind::Refused, false};
    }
    }
}

// The kind, size, time and inode of what is at path, to see that judging it changed nothing.
std::string Snapshot(const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return "none";
    return std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
           std::to_string(info.st_mtim.tv_nsec) + " " + std::to_string(info.st_ino);
}

void CheckSettingsFile(FuzzedDataProvider& in) {
    fs::remove_all(Folder());
    fs::create_directory(Folder());
    fs::path path = Folder() / "Tinsora.conf";
    Expected expected{SettingsFileKind::Missing, true};
    if (in.ConsumeIntegralInRange(0, 7) == 0) {
        // The settings folder is a file: there is no settings file, and none can be made.
        WriteBytes(Folder() / "folder", 3);
        path = Folder() / "folder" / "Tinsora.conf";
    } else {
        expected = Make(in, path);
    }
    const std::string before = Snapshot(path);
    FUZZ_CHECK(tinsora::JudgeSettingsFile(path.string()) == expected.settings);
    FUZZ_CHECK(tinsora::LockFileUsable(path.string()) == expected.lock);
    FUZZ_CHECK(Snapshot(path) == before);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(Folder(), ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tinsora::StoredInteger;
    FuzzedDataProvider in(data, size);
    const auto fallback = in.ConsumeIntegral<std::int32_t>();
    const auto written = in.ConsumeIntegral<std::int32_t>();
    const std::string text = in.ConsumeRandomLengthString(256);

    std::int32_t value = 0;
    FUZZ_CHECK(!fuzz::ErrorOf([&] { value = StoredInteger(text, fallback); }));
    FUZZ_CHECK(value == fuzz::ExpectedInt(text).value_or(fallback));
    FUZZ_CHECK(StoredInteger(std::nullopt, fallback) == fallback);
    FUZZ_CHECK(StoredInteger(std::to_string(written), fallback) == written);

    CheckSettingsFile(in);
    return 0;
}
