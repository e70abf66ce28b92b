// The output pane in the window: what a user does in it, the runs that fill it
// off the user-interface thread (progress, cancel, failure, what the window
// allows meanwhile), and "HTMLを保存".

#include "HtmlFindBar.h"
#include "HtmlTextView.h"
#include "PaneSink.h"
#include "PictureBox.h"
#include "PrintQString.h"
#include "WindowFixture.h"
#include "html/GradientTable.h"
#include "text/Cp932.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QTest>
#include <QToolButton>
#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

const QString kHtmlUtf8 = QStringLiteral("HTMLファイル UTF-8(*.html *.htm)");
const QString kHtmlShiftJis = QStringLiteral("HTMLファイル Shift_JIS(*.html *.htm)");
const QString kAllUtf8 = QStringLiteral("すべてのファイル UTF-8(*)");
const QString kAllShiftJis = QStringLiteral("すべてのファイル Shift_JIS(*)");

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
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
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};
#endif

} // namespace

class PaneTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        proceed.release(100); // nothing stays held
        WindowTest::TearDown();
    }

    HtmlTextView* pane() { return ui().txtHTML; }
    QString Pane() { return pane()->toPlainText(); }
    void Table(const char* cols, const char* rows) {
        ui().PageControl1->setCurrentIndex(3);
        ui().edtTD->setText(QLatin1String(cols));
        ui().edtTR->setText(QLatin1String(rows));
    }
    void Create() {
        ui().SpeedButton2->click();
        EXPECT_TRUE(RunEnds());
    }
    // Every run from here on stops at its first report until proceed is released, or
    // until ms have passed.
    void HoldRuns(int ms = 20000) {
        window->setRunPause([this, ms] {
            reached.release();
            proceed.tryAcquire(1, ms);
        });
    }
    // Starts a run with "作成" and waits until it is held.
    void StartHeld() {
        ui().SpeedButton2->click();
        ASSERT_TRUE(window->runInProgress());
        ASSERT_TRUE(reached.tryAcquire(1, 20000)) << "the run never reported";
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(pane(), key, mods);
    }
    void Save(const QString& path, const QString& filter) {
        services.saveChoiceAnswers.push_back(SaveFileChoice{path, filter});
        ui().mnuSaveHTML->trigger();
        EXPECT_TRUE(RunEnds());
    }
    QString Path(const char* name) const { return workDir.filePath(QLatin1String(name)); }
    // Whether the controls that start or change a run take input.
    bool GeneratingEnabled() {
        return ui().SpeedButton2->isEnabled() && ui().chkRN->isEnabled() &&
               ui().btnClear->isEnabled() && ui().mnuSaveHTML->isEnabled();
    }
    bool GeneratingDisabled() {
        return !ui().SpeedButton2->isEnabled() && !ui().chkRN->isEnabled() &&
               !ui().btnClear->isEnabled() && !ui().mnuSaveHTML->isEnabled();
    }

    QSemaphore reached;
    QSemaphore proceed;
};

TEST_F(PaneTest, TheUserEditsSelectsCopiesWithCrLfAndFindsInTheOutput) {
    Table("1", "10");
    Create();
    const std::string table = pane()->text();
    ASSERT_EQ(std::count(table.begin(), table.end(), '\n'), 34);
    ASSERT_NE(table.find("#19E500"), std::string::npos);
    ASSERT_EQ(table.rfind("#19E500"), table.find("#19E500")) << "one cell of the last colour";

    pane()->setFocus();
    Key(Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(pane(), QStringLiteral("<!-- x -->"));
    EXPECT_TRUE(Pane().endsWith("</TABLE>\n<!-- x -->"));
    Key(Qt::Key_Home, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(pane()->selectedText(), QStringLiteral("</TABLE>\n<!-- x -->"));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(services.clipboard, QStringLiteral("</TABLE>\r\n<!-- x -->"));
    EXPECT_EQ(services.clipboardUtf8Writes, 1) << "the pane's copy is handed over as UTF-8";

    services.clipboard.reset();
    ui().btnClipCopyHTML->click(); // the whole text, whatever is selected
    ASSERT_TRUE(services.clipboard.has_value());
    EXPECT_EQ(*services.clipboard, QString::fromUtf8(pane()->utf8CrLf(0, pane()->byteCount())));
    EXPECT_TRUE(services.clipboard->startsWith("<TABLE cellpadding=\"0\" cellspacing=\"0\">\r\n"));

    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_F, Qt::ControlModifier);
    auto* field = pane()->findBar()->findChild<QLineEdit*>(QStringLiteral("edtFind"));
    ASSERT_TRUE(field && field->isVisible());
    QTest::keyClicks(field, QStringLiteral("#19E500"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(pane()->selectionStart(), table.find("#19E500"));
    EXPECT_EQ(pane()->selectedText(), QStringLiteral("#19E500"));

    ui().btnClear->click();
    EXPECT_TRUE(pane()->isEmpty());
    ui().btnClipCopyHTML->click();
    EXPECT_EQ(services.clipboard, QString());
}

TEST_F(PaneTest, PastingFromAnAbsentOrEmptyClipboardInsertsNothing) {
    pane()->setPlainText(QStringLiteral("kept"));
    pane()->setFocus();
    pane()->setSelection(1, 3);
    services.clipboard.reset(); // no program owns the clipboard
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    const std::unique_ptr<QMenu> menu(pane()->createContextMenu(nullptr));
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("貼り付け"))) {
            EXPECT_FALSE(action->isEnabled());
        }
    }
    services.clipboard = QString(); // an empty text
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pane(), "kept");
    EXPECT_EQ(pane()->selectedText(), "ep") << "the selection is left as it was";
    EXPECT_TRUE(services.errors.isEmpty());

    services.clipboard = QStringLiteral("a\r\nb");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pane(), "ka\nbt");

    services.clipboardBusy = true;
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pane(), "ka\nbt");
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("クリップボードを開くことができません."));
}

TEST_F(PaneTest, ARunShowsItsProgressAfterHalfASecondAndCancelLeavesThePane) {
    pane()->setPlainText(QStringLiteral("kept"));
    HoldRuns();
    Table("1000", "1000");
    StartHeld();
    EXPECT_TRUE(GeneratingDisabled());
    EXPECT_TRUE(pane()->isReadOnly());
    pane()->setFocus();
    QTest::keyClicks(pane(), QStringLiteral("typed"));
    EXPECT_EQ(Pane(), "kept") << "the pane takes no edit while a run goes";
    EXPECT_TRUE(ui().prgHTML->isHidden()) << "not before half a second";
    EXPECT_TRUE(ui().btnClipCopyHTML->isVisible());

    QTest::qWait(700);
    EXPECT_TRUE(ui().prgHTML->isVisible());
    EXPECT_TRUE(ui().btnCancelHTML->isVisible());
    EXPECT_EQ(ui().btnCancelHTML->text(), QStringLiteral("キャンセル"));
    EXPECT_TRUE(ui().btnClipCopyHTML->isHidden()) << "the progress takes their place";
    EXPECT_TRUE(ui().btnClear->isHidden());
    EXPECT_EQ(ui().btnCancelHTML->geometry(), ui().btnClipCopyHTML->geometry());
    EXPECT_EQ(ui().prgHTML->geometry(), ui().btnClear->geometry());

    ui().btnCancelHTML->click();
    proceed.release();
    ASSERT_TRUE(RunEnds());
    EXPECT_EQ(Pane(), "kept");
    EXPECT_TRUE(services.errors.isEmpty());
    EXPECT_TRUE(GeneratingEnabled());
    EXPECT_FALSE(pane()->isReadOnly());
    EXPECT_TRUE(ui().prgHTML->isHidden());
    EXPECT_TRUE(ui().btnCancelHTML->isHidden());
    EXPECT_TRUE(ui().btnClipCopyHTML->isVisible());
    EXPECT_TRUE(ui().btnClear->isVisible());

    // Escape cancels too, before any progress is shown.
    StartHeld();
    QTest::keyClick(ui().edtTD, Qt::Key_Escape);
    proceed.release();
    ASSERT_TRUE(RunEnds());
    EXPECT_EQ(Pane(), "kept");
    EXPECT_TRUE(services.errors.isEmpty());
    EXPECT_EQ(ui().edtTD->text(), "1000");

    // Not cancelled, the run puts its whole output in the pane.
    StartHeld();
    proceed.release();
    ASSERT_TRUE(RunEnds());
    tinsora::GradientTableOptions table;
    table.cols = table.rows = "1000";
    table.lineEnd = "\n";
    EXPECT_EQ(pane()->byteCount(), tinsora::GradientTableSize(table).lo);
    EXPECT_EQ(pane()->text().substr(pane()->byteCount() - 9), "</TABLE>\n");
    QTest::keyClick(ui().edtTD, Qt::Key_Escape); // nothing to cancel
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(PaneTest, WhileARunGoesThePageMayChangeAndCreateAndLineModeWaitForIt) {
    HoldRuns();
    Table("1", "10");
    StartHeld();
    ui().SpeedButton2->click(); // a second "作成"
    ui().chkRN->click();        // a toggle of "整形"
    EXPECT_TRUE(ui().chkRN->isChecked()) << "neither is taken while the run goes";
    EXPECT_TRUE(services.questions.empty());
    ui().PageControl1->setCurrentIndex(1);
    ui().edtGraText->setText(QStringLiteral("AB"));
    proceed.release();
    ASSERT_TRUE(RunEnds());
    EXPECT_TRUE(Pane().startsWith("<TABLE")) << "the run gives what it was started with";
    EXPECT_TRUE(Pane().endsWith("</TABLE>\n"));

    window->setRunPause(nullptr);
    Create(); // now on the text page
    EXPECT_EQ(Pane(), "<FONT Color=\"#FF0000\" Size=\"3\">A</FONT>\n"
                      "<FONT Color=\"#FFFFFF\" Size=\"3\">B</FONT>\n");
}

TEST_F(PaneTest, TheTypedTextPreviewIsDrawnWhenTheRunCompletes) {
    const QImage before = ui().imgGradText->image();
    HoldRuns();
    ui().PageControl1->setCurrentIndex(1);
    ui().edtGraText->setText(QStringLiteral("ABC"));
    StartHeld();
    EXPECT_EQ(ui().imgGradText->image(), before);
    proceed.release();
    ASSERT_TRUE(RunEnds());
    const QImage after = ui().imgGradText->image();
    bool red = false;
    for (int y = 2; y < after.height() - 2; ++y)
        for (int x = 4; x < 14; ++x)
            red = red || after.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red) << "the first letter in colour 1";

    // Cancelled, the preview stays as the last run left it.
    StartHeld();
    QTest::keyClick(ui().edtGraText, Qt::Key_Escape);
    proceed.release();
    ASSERT_TRUE(RunEnds());
    EXPECT_EQ(ui().imgGradText->image(), after);
}

TEST_F(PaneTest, AnErrorInTheRunLeavesThePaneAndClearsThePreview) {
    ui().PageControl1->setCurrentIndex(1);
    ui().edtGraText->setText(QStringLiteral("AB"));
    Create();
    pane()->setPlainText(QStringLiteral("kept"));
    ui().rbtnGraTextFile->setChecked(true);
    const QString missing = Path("missing.txt");
    ui().edtTextFileName->setText(missing);
    ui().SpeedButton2->click();
    EXPECT_TRUE(services.errors.isEmpty()) << "the file is read by the run";
    ASSERT_TRUE(RunEnds());
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("ファイル %1 は開けません.").arg(missing));
    EXPECT_EQ(Pane(), "kept");
    const QImage preview = ui().imgGradText->image();
    EXPECT_EQ(preview.pixel(0, 0), qRgb(0, 0, 0));
    for (int x = 4; x < 14; ++x)
        EXPECT_EQ(preview.pixel(x, 20), qRgb(255, 255, 255)) << "cleared";
    EXPECT_TRUE(GeneratingEnabled());
}

TEST_F(PaneTest, ClosingTheWindowDuringASaveFinishesTheSaveFirst) {
    const QString path = Path("page.html");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    pane()->setPlainText(QStringLiteral("<P>new</P>"));
    HoldRuns();
    services.saveChoiceAnswers.push_back(SaveFileChoice{path, kHtmlUtf8});
    ui().mnuSaveHTML->trigger();
    ASSERT_TRUE(reached.tryAcquire(1, 20000));
    EXPECT_FALSE(window->close()) << "the window stays while the save goes on";
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(ui().prgHTML->isVisible()) << "its progress shown at once";
    proceed.release();
    ASSERT_TRUE(RunEnds());
    EXPECT_EQ(ReadAll(path), "<P>new</P>");
    EXPECT_FALSE(window->isVisible()) << "and closes once it is through";

    // Cancelled after the close, the save writes nothing and the window stays open.
    Open();
    window->show();
    pane()->setPlainText(QStringLiteral("<P>newer</P>"));
    HoldRuns();
    services.saveChoiceAnswers.push_back(SaveFileChoice{path, kHtmlUtf8});
    ui().mnuSaveHTML->trigger();
    ASSERT_TRUE(reached.tryAcquire(1, 20000));
    window->close();
    ui().btnCancelHTML->click();
    proceed.release();
    ASSERT_TRUE(RunEnds());
    EXPECT_EQ(ReadAll(path), "<P>new</P>");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(PaneTest, AWindowEndedDuringASaveWaitsForItAndStopsAGeneration) {
    const QString path = Path("page.html");
    pane()->setPlainText(QStringLiteral("<P>new</P>"));
    HoldRuns(500); // released by the time limit, with the window ending meanwhile
    services.saveChoiceAnswers.push_back(SaveFileChoice{path, kHtmlUtf8});
    ui().mnuSaveHTML->trigger();
    ASSERT_TRUE(reached.tryAcquire(1, 20000));
    Close();
    EXPECT_EQ(ReadAll(path), "<P>new</P>") << "the save was not dropped";
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files).size(), 2) << "no leftover files";
    EXPECT_TRUE(Settings().contains(QStringLiteral("WindowType"))) << "the window ended as ever";

    Open();
    HoldRuns(500);
    Table("1000", "1000");
    StartHeld();
    Close(); // a generation is cancelled
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(PaneTest, SavesThePaneInUtf8OrShiftJisWithCrLfAndOffersTheLastPlace) {
    pane()->setPlainText(QStringLiteral("<FONT Color=\"#FF0000\">グ€</FONT>\n<BR>\n"));
    Save(Path("utf8.html"), kHtmlUtf8);
    ASSERT_EQ(services.saveRequests.size(), 1u);
    EXPECT_EQ(services.saveRequests[0].filters,
              (QStringList{kHtmlUtf8, kHtmlShiftJis, kAllUtf8, kAllShiftJis}));
    EXPECT_EQ(services.saveRequests[0].defaultSuffix, "html");
    EXPECT_EQ(services.saveRequests[0].fileName, QString());
    EXPECT_EQ(services.saveFiltersShown[0], kHtmlUtf8);
    EXPECT_EQ(ReadAll(Path("utf8.html")),
              QByteArray("<FONT Color=\"#FF0000\">グ€</FONT>\r\n<BR>\r\n"));

    Save(Path("sjis.txt"), kAllShiftJis);
    EXPECT_EQ(ReadAll(Path("sjis.txt")),
              QByteArray::fromStdString("<FONT Color=\"#FF0000\">" + tinsora::Utf8ToCp932("グ") +
                                        "&#8364;</FONT>\r\n<BR>\r\n"));
    EXPECT_EQ(services.saveRequests[1].fileName, Path("utf8.html"));

    services.saveChoiceAnswers.push_back(std::nullopt); // cancelled
    ui().mnuSaveHTML->trigger();
    EXPECT_FALSE(window->runInProgress());
    EXPECT_EQ(services.saveRequests[2].fileName, Path("sjis.txt"));
    EXPECT_EQ(services.saveFiltersShown[2], kAllShiftJis);
    EXPECT_TRUE(services.errors.isEmpty());
    EXPECT_EQ(ui().mnuSaveHTML->text(), QStringLiteral("HTMLを保存(&H)"));
    EXPECT_EQ(ui().mnuSaveHTML->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
}

#ifndef _WIN32 // a file size limit is POSIX's
TEST_F(PaneTest, ASaveThatFailsLeavesTheOldFile) {
    const QString path = Path("keep.html");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old bytes");
    old.close();
    pane()->setPlainText(QString(1000, QLatin1Char('x')));
    {
        FileSizeLimit full(100); // the 1000 bytes do not fit
        Save(path, kHtmlUtf8);
    }
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("ファイル %1 への書き込みエラー.").arg(path));
    EXPECT_EQ(ReadAll(path), "old bytes");
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files).size(), 2) << "no leftover files";
    EXPECT_EQ(Pane(), QString(1000, QLatin1Char('x')));

    const QString nowhere = Path("no-such-folder/page.html");
    Save(nowhere, kHtmlShiftJis);
    ASSERT_EQ(services.errors.size(), 2);
    EXPECT_EQ(services.errors[1], QStringLiteral("ファイル %1 を作成できません.").arg(nowhere));
    EXPECT_EQ(services.saveRequests.size(), 2u);
    EXPECT_EQ(services.saveRequests[1].fileName, path) << "the last path, though it failed";
}
#endif

TEST_F(PaneTest, ClearIsUndoneAndCancelStandsWhereNoClearIs) {
    pane()->setPlainText(QStringLiteral("kept"));
    ui().btnClear->click();
    EXPECT_TRUE(pane()->isEmpty());
    pane()->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Pane(), "kept");
    // A click meant for "キャンセル" as a run ends does not empty the pane.
    EXPECT_FALSE(ui().btnCancelHTML->geometry().intersects(ui().btnClear->geometry()));
}

TEST_F(PaneTest, SavingOrShowingAnEmptyPaneSaysSoAndMakesNoFile) {
    pane()->clear();
    ui().mnuSaveHTML->trigger(); // no dialog: none is scripted
    ui().mnuBrowserPreview->trigger();
    EXPECT_FALSE(window->runInProgress());
    ASSERT_EQ(services.errors.size(), 2);
    EXPECT_TRUE(services.errors[0].contains(QStringLiteral("HTMLがありません")))
        << services.errors[0].toStdString();
    EXPECT_TRUE(services.errors[1].contains(QStringLiteral("HTMLがありません")))
        << services.errors[1].toStdString();
    EXPECT_TRUE(services.openedUrls.isEmpty());
}

// A run's text is kept in pieces and joined once; at the limit (line ends counted as CR LF)
// it is still kept, one byte past it only counted.
TEST(PaneSinkTest, KeepsTheTextWholeUpToTheLimitAndCountsPastIt) {
    std::string expected;
    for (unsigned k = 0; expected.size() < 300000; ++k)
        expected += std::string(k % 97, static_cast<char>('a' + k % 26)) + "\n";
    const std::uint64_t crLfSize =
        expected.size() +
        static_cast<std::uint64_t>(std::count(expected.begin(), expected.end(), '\n'));
    for (const std::uint64_t limit : {crLfSize, crLfSize - 1}) {
        std::uint64_t counted = 0;
        bool tooLarge = false;
        PaneRun run([&](PaneRun::Control& control) {
            PaneSink sink(control, limit);
            for (std::size_t at = 0; at < expected.size(); at += 7919)
                sink.Write(std::string_view(expected).substr(at, 7919));
            counted = sink.size();
            tooLarge = sink.tooLarge();
            return tinsora::PreparedText(sink.take());
        });
        run.finish();
        ASSERT_FALSE(run.error());
        EXPECT_EQ(counted, crLfSize);
        EXPECT_EQ(tooLarge, limit < crLfSize);
        tinsora::TextBuffer text;
        text.SetText(run.takeText());
        // Compared whole, reported by size: the text is 300 KB.
        EXPECT_TRUE(text.Text() == (limit < crLfSize ? std::string() : expected))
            << "kept " << text.Size() << " bytes of " << expected.size() << " at limit " << limit;
    }
}
