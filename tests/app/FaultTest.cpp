#include "PrintQString.h"
#include "Unit1.h"
#include "WindowFixture.h"
#include "color/Templates.h"
#include "tests/RunProgram.h"
#include "tests/Watchdog.h"
#include "text/TextFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

#ifndef _WIN32
QString SettingsFile(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("tovelind/Tinsora.conf"));
}
#endif

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray Garbage(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

// A file of size bytes that takes no room on disk: all zero bytes.
void WriteSparse(const QString& path, std::uintmax_t size) {
    Write(path, QByteArray());
    std::filesystem::resize_file(path.toStdString(), size);
}

constexpr std::uint64_t kTemplateListLimit = 1048576;
constexpr std::uint64_t kTextFileLimit = TfrmMain::kMaxPaneBytes / 2;

} // namespace

// The settings file (on Windows the registry holds the settings).
#ifndef _WIN32
TEST_F(WindowTest, SettingsStoreHoldingGarbageGivesTheDefaults) {
    Write(SettingsFile(configDir), Garbage(4096, 7) + "\nWindowType=\xff\xfe\n[\n=\n");
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    EXPECT_TRUE(ui().mnuToolBarDisp->isChecked());
    Close();
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(WindowTest, UnreadableSettingsStoreGivesTheDefaults) {
    ASSERT_TRUE(QDir().mkpath(SettingsFile(configDir))); // a folder where the file should be
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    Close(); // and it cannot be written either
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(WindowTest, SettingsThatCannotBeWrittenAtExitAreLostQuietly) {
    Write(configDir.filePath(QStringLiteral("tovelind")), "a file where the folder should be");
    Open();
    ui().mnuWindowMin->trigger();
    Close();
    EXPECT_TRUE(services.errors.isEmpty());
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
}
#endif

TEST_F(WindowTest, BinaryGarbageTemplateListLoadsWhateverLinesItHas) {
    const QByteArray garbage = Garbage(64 * 1024, 11);
    WriteTemplates(garbage);
    Open();
    const auto lines = tinsora::SplitLines(std::string_view(garbage.constData(), garbage.size()));
    EXPECT_EQ(window->templates().size(), lines.size());
    EXPECT_EQ(ui().lstColorSample->count(), static_cast<int>(tinsora::TemplateNames(lines).size()));
    for (int k = 0; k < ui().lstColorSample->count(); ++k)
        ui().lstColorSample->setCurrentRow(k); // every colour line is read leniently
    EXPECT_LE(services.errors.size(), 1) << "only a last name without colour line can fail";
}

TEST_F(WindowTest, TemplateListWithoutLineEndsIsOneName) {
    WriteTemplates("just one name");
    Open();
    ASSERT_EQ(ui().lstColorSample->count(), 1);
    ui().lstColorSample->setCurrentRow(0);
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("リストのインデックスが範囲を超えています (1)"));
    EXPECT_EQ(window->CurrentColor(), (tinsora::ColorRGB{0, 0, 0}));
}

TEST_F(WindowTest, TemplateListUpToItsLimitLoadsAndALargerOneIsRefused) {
    QByteArray big;
    big.reserve(kTemplateListLimit);
    int k = 0;
    for (;;) {
        const QByteArray entry = "colour " + QByteArray::number(k) + "\r\n" +
                                 QByteArray::number(k % 0xFFFFFF, 16).rightJustified(6, '0') +
                                 "\r\n";
        if (big.size() + entry.size() + 6 > static_cast<qsizetype>(kTemplateListLimit))
            break;
        big += entry;
        ++k;
    }
    big += "end;\r\n"; // lines after it are kept, never shown
    big += QByteArray(kTemplateListLimit - big.size(), '\n');
    WriteTemplates(big);
    Open();
    EXPECT_EQ(ui().lstColorSample->count(), k);
    ui().lstColorSample->setCurrentRow(k - 1);
    EXPECT_TRUE(services.errors.isEmpty());
    EXPECT_TRUE(services.questions.empty());
    Close();

    WriteSparse(workDir.filePath(QStringLiteral("tinsora.col")), kTemplateListLimit + 1);
    services.retryCancelAnswers = {true, false};
    Open();
    ASSERT_EQ(services.questions.size(), 2u);
    EXPECT_EQ(services.questions[1].caption, QStringLiteral("OpenError"));
    EXPECT_EQ(services.questions[1].text,
              QStringLiteral("ファイル tinsora.col は大きすぎます (上限は 1048576 バイトです)"));
    EXPECT_EQ(ui().lstColorSample->count(), 0);
    EXPECT_TRUE(window->templates().empty());
}

// FIFOs, devices and /proc are POSIX's.
#ifndef _WIN32
TEST_F(WindowTest, ATemplateListThatIsAFifoOrADeviceIsNotOpened) {
    const QString list = workDir.filePath(QStringLiteral("tinsora.col"));
    const std::string fifo = workDir.filePath(QStringLiteral("fifo")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const QString& target : {QString::fromStdString(fifo), QStringLiteral("/dev/zero")}) {
        RemoveTemplates();
        ASSERT_TRUE(QFile::link(target, list));
        services.retryCancelAnswers = {false};
        services.questions.clear();
        tinsora::test::Watchdog watchdog(3s, tinsora::test::ReleaseFifo(fifo));
        Open();
        EXPECT_TRUE(watchdog.Stop()) << "start-up waited on " << target.toStdString();
        ASSERT_EQ(services.questions.size(), 1u) << target.toStdString();
        EXPECT_EQ(services.questions[0].text, QStringLiteral("ファイル tinsora.col は開けません"));
        EXPECT_EQ(ui().lstColorSample->count(), 0);
        Close();
    }
}

TEST_F(WindowTest, AGradientTextFileIsARegularFileNoLargerThanThePaneCanShow) {
    const std::string fifo = workDir.filePath(QStringLiteral("fifo.txt")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const QString atLimit = workDir.filePath(QStringLiteral("at-limit.txt"));
    const QString tooLarge = workDir.filePath(QStringLiteral("too-large.txt"));
    WriteSparse(atLimit, kTextFileLimit);
    WriteSparse(tooLarge, kTextFileLimit + 1);
    Open();
    ui().PageControl1->setCurrentIndex(1);
    ui().rbtnGraTextFile->setChecked(true);
    const auto run = [&](const QString& path) {
        services.errors.clear();
        ui().edtTextFileName->setText(path);
        tinsora::test::Watchdog watchdog(3s, tinsora::test::ReleaseFifo(fifo));
        ui().SpeedButton2->click();
        EXPECT_TRUE(RunEnds(3000));
        EXPECT_TRUE(watchdog.Stop()) << "the run waited on " << path.toStdString();
        return services.errors.join(" | ");
    };
    for (const QString& path : {QString::fromStdString(fifo), QStringLiteral("/dev/zero"),
                                workDir.filePath(QStringLiteral("missing.txt"))})
        EXPECT_EQ(run(path), QStringLiteral("ファイル ") + path + QStringLiteral(" は開けません."));
    // Each byte makes at least two in the pane, so one past half its limit can only fail.
    EXPECT_EQ(run(tooLarge), QStringLiteral("ファイル %1 は大きすぎます (上限は %2 バイトです)")
                                 .arg(tooLarge)
                                 .arg(kTextFileLimit));
    EXPECT_EQ(run(atLimit), QString()); // a text of zero bytes: it ends at once
}
#endif

namespace {

// Shows a real file dialog, hands it to look once it has had time to list its
// folder in the detail view (which asks every file for its type), and closes it.
void ShowFileDialog(const FileDialogRequest& request,
                    const std::function<void(QFileDialog&)>& look) {
    QtDesktopServices desktop;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (ticks++ == 0)
            dialog->setViewMode(QFileDialog::Detail);
        if (ticks < 20)
            return;
        timer.stop();
        look(*dialog);
        dialog->reject();
    });
    timer.start(25);
    tinsora::test::Watchdog watchdog(20s, tinsora::test::EndProcess("a file dialog"));
    EXPECT_EQ(desktop.chooseSaveFile(nullptr, request), std::nullopt);
}

} // namespace

#ifndef _WIN32
TEST_F(WindowTest, NoFolderFreezesAFileDialog) {
    // A folder holding a FIFO, a device and a file whose reading blocks.
    const QDir folder(workDir.path());
    ASSERT_EQ(::mkfifo(folder.filePath(QStringLiteral("fifo.tcs")).toLocal8Bit().constData(), 0600),
              0);
    ASSERT_TRUE(
        QFile::link(QStringLiteral("/dev/zero"), folder.filePath(QStringLiteral("zero.tcs"))));
    ASSERT_TRUE(
        QFile::link(QStringLiteral("/proc/kmsg"), folder.filePath(QStringLiteral("kmsg.tcs"))));
    Write(folder.filePath(QStringLiteral("plain.tcs")), "1\r\n2\r\n3\r\n");
    const QStringList folders{workDir.path(), QStringLiteral("/dev"), QStringLiteral("/proc")};
    for (const QString& path : folders) {
        int shown = 0;
        ShowFileDialog({{QStringLiteral("すべてのファイル(*)")}, QString(), path + "/x.tcs"},
                       [&](QFileDialog& dialog) {
                           EXPECT_EQ(dialog.directory().absolutePath(), path);
                           shown = 1;
                       });
        EXPECT_EQ(shown, 1) << path.toStdString();
    }
}
#endif

TEST_F(WindowTest, TheSaveDialogOffersThePathItIsGivenAsItIs) {
    QDir::setCurrent(configDir.path()); // the dialog starts in another folder
    const QStringList paths{workDir.filePath(QStringLiteral("no-such-folder/c.tcs")),
                            workDir.filePath(QStringLiteral("no/such/folders/c.tcs")),
                            workDir.filePath(QStringLiteral("c.tcs"))};
    for (const QString& path : paths) {
        ShowFileDialog(
            {{QStringLiteral("ティンソラ色情報ファイル(*.tcs)")}, QStringLiteral("tcs"), path},
            [&](QFileDialog& dialog) { EXPECT_EQ(dialog.selectedFiles(), QStringList{path}); });
    }
}

#ifndef _WIN32
TEST_F(WindowTest, AFileSizeLimitFailsAWriteInsteadOfEndingTheProgram) {
    // The program's own signal setting: a picture that cannot be written is reported.
    const QString picture = workDir.filePath(QStringLiteral("window.png"));
    const auto r = tinsora::test::RunProgram(
        "/bin/sh", {"-c",
                    "XDG_CONFIG_HOME=\"$2\"; export XDG_CONFIG_HOME; ulimit -f 0; exec \"$0\" "
                    "--screenshot \"$1\"",
                    TINSORA_APP_PATH, picture.toStdString(), configDir.path().toStdString()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("could not save"), std::string::npos) << r.err;
}

TEST_F(WindowTest, SavingIntoAReadOnlyPlaceCannotBeCreated) {
    Open();
    const QString path = QStringLiteral("/proc/tinsora-colour.tcs");
    services.saveAnswers.push_back(path);
    ui().mnuSaveColor->trigger();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("ファイル ") + path + QStringLiteral(" を作成できません."));
}
#endif
