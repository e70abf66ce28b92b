#include "WindowFixture.h"
#include "tests/Watchdog.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(ColorFileTest, AFailedWriteLeavesTheOldFileIntact) {
    WriteAll(Path("keep.tcs"), "1\r\n2\r\n3\r\n");
    SetColor(255, 128, 0);
    {
        FileSizeLimit full(5); // the 13 bytes do not fit
        Save(Path("keep.tcs"));
    }
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("ストリームへの書き込みエラー."));
    EXPECT_EQ(ReadAll(Path("keep.tcs")), QByteArray("1\r\n2\r\n3\r\n"));
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files).size(), 2) << "no leftover files";
}

TEST_F(ColorFileTest, ALineThatIsNotAnIntegerIsShownDecodedFromCodePage932) {
    WriteAll(Path("red.tcs"), "\x90\xD4\r\n0\r\n0\r\n"); // 赤
    Load(Path("red.tcs"));
    EXPECT_EQ(OnlyError(), QStringLiteral("'赤' は整数ではありません."));
}

TEST_F(ColorFileTest, OnlyTheFirstBytesOfALargeFileAreRead) {
    // 64 GiB that take no room on disk: the lines, then zero bytes.
    WriteAll(Path("large.tcs"), "1\r\n2\r\n3\r\n");
    fs::resize_file(Path("large.tcs").toStdString(), std::uintmax_t{64} << 30);
    Load(Path("large.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{1, 2, 3}));
    EXPECT_TRUE(services.errors.isEmpty()) << services.errors.join(" | ").toStdString();

    QByteArray padded = QByteArray(250, ' ') + "4\n5\n6\n";
    padded += QByteArray(4 << 20, 'x');
    WriteAll(Path("padded.tcs"), padded);
    Load(Path("padded.tcs"));
    EXPECT_EQ(Current(), (ColorRGB{4, 5, 6}));
}

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
