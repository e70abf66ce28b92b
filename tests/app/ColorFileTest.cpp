#include "PrintQString.h"
#include "WindowFixture.h"
#include "tests/Watchdog.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

using tinsora::ColorRGB;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

#ifndef _WIN32
// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};
#endif

} // namespace

class ColorFileTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
    void Save(const QString& path) {
        services.saveAnswers.push_back(path);
        ui().mnuSaveColor->trigger();
    }
    void Load(const QString& path) {
        services.openAnswers.push_back(path);
        ui().mnuLoadColor->trigger();
    }
    QString Path(const char* name) { return workDir.filePath(QLatin1String(name)); }
    QString Path(const QString& name) { return workDir.filePath(name); }
    // The one error shown, as the error box shows it.
    QString OnlyError() const {
        return services.errors.size() == 1 ? services.errors[0] : services.errors.join(" | ");
    }
    QString CannotCreate(const QString& path) const {
        return QStringLiteral("ファイル ") + path + QStringLiteral(" を作成できません.");
    }
};

#ifndef _WIN32
namespace {

fs::perms Mode(const QString& path) {
    return fs::status(path.toStdString()).permissions() & fs::perms::mask;
}

} // namespace
#endif

TEST_F(ColorFileTest, SavesThreeCrLfLinesAndLoadsThemBack) {
    SetColor(255, 128, 0);
    Save(Path("orange.tcs"));
    EXPECT_EQ(ReadAll(Path("orange.tcs")), QByteArray("255\r\n128\r\n0\r\n"));
    ASSERT_EQ(services.saveRequests.size(), 1u);
    EXPECT_EQ(services.saveRequests[0].filters,
              QStringList{QStringLiteral("ティンソラ色情報ファイル(*.tcs)")});
    EXPECT_EQ(services.saveRequests[0].defaultSuffix, "tcs");

    SetColor(0, 0, 0);
    Save(Path("black.tcs"));
    EXPECT_EQ(ReadAll(Path("black.tcs")), QByteArray("0\r\n0\r\n0\r\n"));
    // The save dialog offers the last name again; the open dialog starts empty.
    EXPECT_EQ(services.saveRequests[1].fileName, Path("orange.tcs"));

    Load(Path("orange.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{255, 128, 0}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : #FF8000]"));
    Load(Path("black.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{0, 0, 0}));
    for (const auto& request : services.openRequests)
        EXPECT_TRUE(request.fileName.isEmpty());
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(ColorFileTest, ReadsOtherLineEndsSignsHexAndClamps) {
    const std::pair<QByteArray, ColorRGB> cases[] = {{"300\r\n-5\r\n$80\r\n", {255, 0, 128}},
                                                     {"1\n2\n3\n", {1, 2, 3}},
                                                     {"4\r5\r6\r", {4, 5, 6}},
                                                     {"7\r\n8\r\n9", {7, 8, 9}},
                                                     {" 12\r\n0\r\n0\r\nextra\r\n", {12, 0, 0}}};
    for (const auto& [bytes, expected] : cases) {
        WriteAll(Path("c.tcs"), bytes);
        Load(Path("c.tcs"));
        EXPECT_EQ(Current(), expected) << bytes.constData();
    }
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(ColorFileTest, ShortFileSetsTheChannelsPresentThenReportsTheMissingLine) {
    SetColor(1, 1, 1);
    WriteAll(Path("short.tcs"), "12\r\n34\r\n");
    Load(Path("short.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{12, 34, 1}));
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("リストのインデックスが範囲を超えています (2)"));

    WriteAll(Path("empty.tcs"), "");
    Load(Path("empty.tcs"));
    EXPECT_EQ(services.errors.last(),
              QStringLiteral("リストのインデックスが範囲を超えています (0)"));
}

TEST_F(ColorFileTest, TrailingBlankIsNotAnInteger) {
    SetColor(1, 1, 1);
    WriteAll(Path("bad.tcs"), "20\r\n12 \r\n30\r\n");
    Load(Path("bad.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{20, 1, 1}));
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("'12 ' は整数ではありません."));
}

TEST_F(ColorFileTest, MissingFileAndCancelledDialogsChangeNothing) {
    SetColor(5, 6, 7);
    Load(Path("missing.tcs"));
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("ファイル ") + Path("missing.tcs") + QStringLiteral(" は開けません."));
    services.openAnswers.push_back(std::nullopt);
    ui().mnuLoadColor->trigger();
    services.saveAnswers.push_back(std::nullopt);
    ui().mnuSaveColor->trigger();
    EXPECT_EQ(Current(), (ColorRGB{5, 6, 7}));
    EXPECT_EQ(QDir(workDir.path()).entryList({"*.tcs"}).size(), 0);
}

TEST_F(ColorFileTest, LoadingTheCurrentColourRunsNoChangeHandler) {
    SetColor(9, 8, 7);
    WriteAll(Path("same.tcs"), "9\r\n8\r\n7\r\n");
    QSignalSpy spy(ui().ScrollBarR, &QScrollBar::valueChanged);
    QSignalSpy title(window.get(), &QWidget::windowTitleChanged);
    Load(Path("same.tcs"));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(title.count(), 0);
}

TEST_F(ColorFileTest, UnwritablePlaceCannotBeCreated) {
    const QString path = Path("no-such-folder/c.tcs");
    Save(path);
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("ファイル ") + path + QStringLiteral(" を作成できません."));
    EXPECT_FALSE(QFile::exists(path));
}

// A file size limit, FIFOs, devices, links, modes and owners are POSIX's.
#ifndef _WIN32
TEST_F(ColorFileTest, AFailedWriteLeavesTheOldFileIntact) {
    WriteAll(Path("keep.tcs"), "1\r\n2\r\n3\r\n");
    SetColor(255, 128, 0);
    {
        FileSizeLimit full(5); // the 13 bytes do not fit
        Save(Path("keep.tcs"));
    }
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("ファイル %1 への書き込みエラー.").arg(Path("keep.tcs")));
    EXPECT_EQ(ReadAll(Path("keep.tcs")), QByteArray("1\r\n2\r\n3\r\n"));
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files).size(), 2) << "no leftover files";
}
#endif

TEST_F(ColorFileTest, ALineThatIsNotAnIntegerIsShownDecodedFromCodePage932) {
    WriteAll(Path("red.tcs"), "\x90\xD4\r\n0\r\n0\r\n"); // 赤
    Load(Path("red.tcs"));
    EXPECT_EQ(OnlyError(), QStringLiteral("'赤' は整数ではありません."));
}

TEST_F(ColorFileTest, OnlyTheFirstBytesOfALargeFileAreRead) {
#ifndef _WIN32 // a file grown by resizing takes no room only where files may be sparse
    // 64 GiB that take no room on disk: the lines, then zero bytes.
    WriteAll(Path("large.tcs"), "1\r\n2\r\n3\r\n");
    fs::resize_file(Path("large.tcs").toStdString(), std::uintmax_t{64} << 30);
    Load(Path("large.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{1, 2, 3}));
    EXPECT_TRUE(services.errors.isEmpty()) << services.errors.join(" | ").toStdString();
#endif

    QByteArray padded = QByteArray(250, ' ') + "4\n5\n6\n";
    padded += QByteArray(4 << 20, 'x');
    WriteAll(Path("padded.tcs"), padded);
    Load(Path("padded.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{4, 5, 6}));
}

#ifndef _WIN32
TEST_F(ColorFileTest, AFifoOrADeviceIsNotOpenedAsAColourSetFile) {
    const QString fifo = Path("fifo.tcs");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path("zero.tcs")));
    SetColor(1, 2, 3);
    for (const QString& path : {fifo, Path("zero.tcs")}) {
        services.errors.clear();
        tinsora::test::Watchdog watchdog(3s, tinsora::test::ReleaseFifo(fifo.toStdString()));
        Load(path);
        EXPECT_TRUE(watchdog.Stop()) << "the load waited on " << path.toStdString();
        EXPECT_EQ(OnlyError(),
                  QStringLiteral("ファイル ") + path + QStringLiteral(" は開けません."));
    }
    EXPECT_EQ(Current(), (ColorRGB{1, 2, 3}));
}

TEST_F(ColorFileTest, SavingKeepsHardAndSymbolicLinks) {
    WriteAll(Path("keep.tcs"), "1\r\n2\r\n3\r\n");
    fs::create_hard_link(Path("keep.tcs").toStdString(), Path("other.tcs").toStdString());
    ASSERT_TRUE(QFile::link(Path("keep.tcs"), Path("link.tcs")));
    SetColor(255, 128, 0);
    Save(Path("keep.tcs"));
    EXPECT_EQ(ReadAll(Path("other.tcs")), QByteArray("255\r\n128\r\n0\r\n"));
    EXPECT_EQ(fs::hard_link_count(Path("keep.tcs").toStdString()), 2u);

    SetColor(0, 0, 0);
    Save(Path("link.tcs"));
    EXPECT_TRUE(QFileInfo(Path("link.tcs")).isSymLink());
    EXPECT_EQ(ReadAll(Path("other.tcs")), QByteArray("0\r\n0\r\n0\r\n"));
    EXPECT_TRUE(services.errors.isEmpty()) << OnlyError().toStdString();
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files).size(), 4) << "no leftover files";
}

TEST_F(ColorFileTest, SavingKeepsTheModeOfTheFile) {
    for (const auto mode : {fs::perms(0640), fs::perms(0604), fs::perms(0666)}) {
        WriteAll(Path("mode.tcs"), "1\r\n2\r\n3\r\n");
        fs::permissions(Path("mode.tcs").toStdString(), mode);
        SetColor(7, 8, 9);
        Save(Path("mode.tcs"));
        EXPECT_EQ(ReadAll(Path("mode.tcs")), QByteArray("7\r\n8\r\n9\r\n"));
        EXPECT_EQ(Mode(Path("mode.tcs")), mode);
        SetColor(0, 0, 0);
    }
    EXPECT_TRUE(services.errors.isEmpty()) << OnlyError().toStdString();
}

TEST_F(ColorFileTest, AReadOnlyFileIsSavedOnlyByWhoCanWriteItAndStaysReadOnly) {
    WriteAll(Path("ro.tcs"), "1\r\n2\r\n3\r\n");
    fs::permissions(Path("ro.tcs").toStdString(), fs::perms(0444));
    SetColor(7, 8, 9);
    Save(Path("ro.tcs"));
    if (::geteuid() == 0) {
        EXPECT_EQ(ReadAll(Path("ro.tcs")), QByteArray("7\r\n8\r\n9\r\n"));
        EXPECT_TRUE(services.errors.isEmpty()) << OnlyError().toStdString();
    } else {
        EXPECT_EQ(ReadAll(Path("ro.tcs")), QByteArray("1\r\n2\r\n3\r\n"));
        EXPECT_EQ(OnlyError(), CannotCreate(Path("ro.tcs")));
    }
    EXPECT_EQ(Mode(Path("ro.tcs")), fs::perms(0444));
}

TEST_F(ColorFileTest, SavingAnotherUsersFileKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    WriteAll(Path("user.tcs"), "1\r\n2\r\n3\r\n");
    ASSERT_EQ(::chown(Path("user.tcs").toLocal8Bit().constData(), 65534, 65534), 0);
    SetColor(7, 8, 9);
    Save(Path("user.tcs"));
    const QFileInfo saved(Path("user.tcs"));
    EXPECT_EQ(saved.ownerId(), 65534u);
    EXPECT_EQ(saved.groupId(), 65534u);
    EXPECT_EQ(ReadAll(Path("user.tcs")), QByteArray("7\r\n8\r\n9\r\n"));
    EXPECT_TRUE(services.errors.isEmpty()) << OnlyError().toStdString();
}

TEST_F(ColorFileTest, AFifoAFolderOrALinkToAFifoIsNeverReplaced) {
    const QString fifo = Path("fifo.tcs");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, Path("to-fifo.tcs")));
    ASSERT_TRUE(QDir(workDir.path()).mkdir(QStringLiteral("folder.tcs")));
    for (const QString& path : {fifo, Path("to-fifo.tcs"), Path("folder.tcs")}) {
        services.errors.clear();
        Save(path);
        EXPECT_EQ(OnlyError(), CannotCreate(path));
    }
    EXPECT_TRUE(fs::is_fifo(fifo.toStdString()));
    EXPECT_TRUE(QFileInfo(Path("to-fifo.tcs")).isSymLink());
    EXPECT_TRUE(QFileInfo(Path("folder.tcs")).isDir());
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files | QDir::System).size(), 3);
}

TEST_F(ColorFileTest, AFileIsWrittenInPlaceWhenNoFileCanBeMadeBesideIt) {
    // No name longer than the longest a folder holds can be made beside this one.
    const QString longName = Path(QString(250, QLatin1Char('k')) + QStringLiteral(".tcs"));
    WriteAll(longName, "1\r\n2\r\n3\r\n");
    SetColor(255, 128, 0);
    Save(longName);
    EXPECT_EQ(ReadAll(longName), QByteArray("255\r\n128\r\n0\r\n"));

    // A folder that takes no new files (which root is not kept from).
    const QString folder = Path("locked");
    ASSERT_TRUE(QDir(workDir.path()).mkdir(QStringLiteral("locked")));
    WriteAll(folder + QStringLiteral("/keep.tcs"), "1\r\n2\r\n3\r\n");
    fs::permissions(folder.toStdString(), fs::perms(0555));
    SetColor(0, 0, 0);
    Save(folder + QStringLiteral("/keep.tcs"));
    EXPECT_EQ(ReadAll(folder + QStringLiteral("/keep.tcs")), QByteArray("0\r\n0\r\n0\r\n"));
    fs::permissions(folder.toStdString(), fs::perms(0755));

    EXPECT_TRUE(services.errors.isEmpty()) << OnlyError().toStdString();
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files).size(), 2) << "no leftover files";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1) << "no leftover files";
}

TEST_F(ColorFileTest, AFailedWriteInPlaceLeavesTheOldBytes) {
    // A second name makes the file one that is written in place.
    const std::pair<QByteArray, ColorRGB> cases[] = {{"1\r\n2\r\n3\r\n", {255, 128, 0}},
                                                     {"100\r\n100\r\n100\r\n", {0, 0, 0}}};
    for (const auto& [old, color] : cases) {
        WriteAll(Path("keep.tcs"), old);
        QFile::remove(Path("other.tcs"));
        fs::create_hard_link(Path("keep.tcs").toStdString(), Path("other.tcs").toStdString());
        SetColor(color.Red, color.Green, color.Blue);
        services.errors.clear();
        {
            FileSizeLimit full(5); // neither the new bytes nor the old ones fit
            Save(Path("keep.tcs"));
        }
        EXPECT_EQ(OnlyError(),
                  QStringLiteral("ファイル %1 への書き込みエラー.").arg(Path("keep.tcs")));
        EXPECT_EQ(ReadAll(Path("keep.tcs")), old);
        EXPECT_EQ(fs::hard_link_count(Path("keep.tcs").toStdString()), 2u);
    }
}
#endif

TEST_F(ColorFileTest, AfterAFailedSaveTheDialogOffersTheSamePath) {
    const QString path = Path("no-such-folder/c.tcs");
    Save(path);
    ASSERT_EQ(OnlyError(), CannotCreate(path));
    Save(Path("c.tcs"));
    ASSERT_EQ(services.saveRequests.size(), 2u);
    EXPECT_EQ(services.saveRequests[1].fileName, path);
}
