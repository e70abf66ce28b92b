// The settings file as the program finds it: read only when it is a regular file of a settings
// file's size, written at exit only where it was read or nothing was; and the stored position,
// kept only where the user can reach the title bar.

#include "WindowFixture.h"
#include "tests/Watchdog.h"

#include <QFile>
#include <QLockFile>
#include <chrono>
#include <filesystem>

// The settings file is judged where the settings are a file; on Windows they are the registry's.
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const QByteArray kStoredMinimal = "[General]\nWindowType=0\n";

// A file of exactly size bytes that stores the minimal window type.
QByteArray SettingsOfSize(qsizetype size) {
    QByteArray bytes = kStoredMinimal;
    while (bytes.size() < size)
        bytes += ';' + QByteArray(std::min<qsizetype>(size - bytes.size() - 2, 78), 'x') + '\n';
    bytes.truncate(size);
    return bytes;
}

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A device like /dev/null, made in the test's own folder (a program that replaced it would
// replace nothing of the system's); false where the test may not make one (not as root).
bool MakeDevice(const std::string& path) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

class SettingsStoreTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        folder = configDir.filePath(QStringLiteral("tovelind")).toStdString();
        fs::create_directory(folder);
        file = folder + "/Tinsora.conf";
    }

    // Starts the window, changes the window type and ends it; neither start nor end may wait
    // on the file or its lock. The window type read at start.
    int StartChangeAndEnd() {
        {
            tinsora::test::Watchdog watch(10s, tinsora::test::ReleaseFifo(file));
            Open();
            EXPECT_TRUE(watch.Stop()) << "start-up waited on the settings file";
        }
        const int read = window->currentWindowType();
        ui().mnuWindowBas->trigger(); // a value that changes, if it is written
        tinsora::test::Watchdog watch(10s, tinsora::test::EndProcess("writing the settings"));
        Close();
        return read;
    }

    std::string folder;
    std::string file;
};

} // namespace

TEST_F(SettingsStoreTest, ARegularFileOrALinkToOneIsReadAndWritten) {
    for (const bool throughLink : {false, true}) {
        const std::string target = throughLink ? folder + "/elsewhere.conf" : file;
        WriteFile(target, kStoredMinimal);
        if (throughLink)
            fs::create_symlink(target, file);
        EXPECT_EQ(StartChangeAndEnd(), TfrmMain::wtMin);
        EXPECT_TRUE(services.errors.isEmpty());
        EXPECT_EQ(fs::symlink_status(file).type(),
                  throughLink ? fs::file_type::symlink : fs::file_type::regular);
        EXPECT_TRUE(ReadFile(target).contains("WindowType=1")) << ReadFile(target).toStdString();
        fs::remove(file);
        fs::remove(target);
    }
}

TEST_F(SettingsStoreTest, AFileOfSixtyFourKibibytesIsReadAndOneByteMoreIsNot) {
    WriteFile(file, SettingsOfSize(65536));
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMin);
    Close();

    const QByteArray larger = SettingsOfSize(65537);
    WriteFile(file, larger);
    EXPECT_EQ(StartChangeAndEnd(), TfrmMain::wtMax) << "the design value";
    EXPECT_EQ(ReadFile(file), larger) << "a file not read is not written";
}

// What stands at the settings file's name: start-up goes on with the design values, and at exit
// it is left as it was.
TEST_F(SettingsStoreTest, AnythingButARegularFileGivesTheDesignValuesAndIsLeftAlone) {
    const struct Case {
        const char* what;
        std::function<bool(const std::string&)> make; // false: cannot be made here
        fs::file_type type;                           // of the name itself, before and after
    } cases[] = {
        {"a FIFO", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
         fs::file_type::fifo},
        {"a folder", [](const std::string& p) { return fs::create_directory(p); },
         fs::file_type::directory},
        {"a device", MakeDevice, fs::file_type::character},
        {"a link to a device",
         [this](const std::string& p) {
             if (!MakeDevice(folder + "/device"))
                 return false;
             fs::create_symlink("device", p);
             return true;
         },
         fs::file_type::symlink},
        {"a link to nothing",
         [](const std::string& p) {
             fs::create_symlink("nothing", p);
             return true;
         },
         fs::file_type::symlink},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.make(file)) {
            std::printf("skipped: %s cannot be made here\n", c.what);
            continue;
        }
        EXPECT_EQ(StartChangeAndEnd(), TfrmMain::wtMax);
        EXPECT_EQ(fs::symlink_status(file).type(), c.type);
        if (fs::exists(folder + "/device")) {
            EXPECT_EQ(fs::status(folder + "/device").type(), fs::file_type::character);
        }
        EXPECT_FALSE(fs::exists(folder + "/nothing"));
        EXPECT_TRUE(services.errors.isEmpty());
        fs::remove_all(folder);
        fs::create_directory(folder);
    }
}

TEST_F(SettingsStoreTest, ALockThatCannotBeTakenWithinASecondLeavesTheSettingsUnwritten) {
    WriteFile(file, kStoredMinimal);
    fs::create_directory(file + ".lock"); // no lock file can be made there
    StartChangeAndEnd();
    EXPECT_EQ(ReadFile(file), kStoredMinimal);
    fs::remove(file + ".lock");

    QLockFile held(QString::fromStdString(file + ".lock")); // another running program's
    ASSERT_TRUE(held.tryLock(0));
    StartChangeAndEnd();
    EXPECT_EQ(ReadFile(file), kStoredMinimal);
    held.unlock();

    StartChangeAndEnd(); // free again: written
    EXPECT_TRUE(ReadFile(file).contains("WindowType=1"));
}

#endif

// ---- The stored position.

TEST_F(WindowTest, AStoredPositionIsKeptWhileAnyPartOfTheTitleBarIsOnAScreen) {
    const QRect left(0, 0, 1024, 768);
    const QRect right(1024, 0, 1280, 1024);
    const struct Case {
        const char* what;
        QPoint stored;
        std::vector<QRect> screens;
        bool kept;
    } cases[] = {
        {"on the screen", {40, 50}, {left}, true},
        {"mostly off the left edge", {-500, 100}, {left}, true},
        {"mostly off the right edge", {1000, 100}, {left}, true},
        {"the title bar's lower part at the top", {100, -10}, {left}, true},
        {"only the title bar's top line at the bottom", {100, 767}, {left}, true},
        {"on the second screen", {1500, 900}, {left, right}, true},
        {"far right (X11 would wrap it to -25536)", {40000, 100}, {left}, false},
        {"far left", {-3000, 100}, {left}, false},
        {"below", {100, 5000}, {left}, false},
        {"above", {100, -3000}, {left}, false},
        {"a corner off to the lower left", {-3000, 5000}, {left}, false},
        {"just below the bottom", {100, 768}, {left}, false},
        {"on a second screen now removed", {1500, 900}, {left}, false},
        {"the largest values", {2147483647, 2147483647}, {left, right}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        services.screenPlaces = c.screens;
        {
            QSettings s = Settings();
            s.setValue("Left", QString::number(c.stored.x()));
            s.setValue("Top", QString::number(c.stored.y()));
        }
        Open();
        EXPECT_EQ(window->pos(), c.kept ? c.stored : QPoint(0, 0));
        Close();
    }
}
