#include "Unit2.h"
#include "WindowFixture.h"
#include "tests/RunProgram.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

int MenuHeight(Ui::TfrmMain& ui) {
    return ui.MainMenu1->sizeHint().height();
}

QString Stored(QSettings& s, const char* name) {
    return s.value(QLatin1String(name)).toString();
}

const QByteArray kThreeTemplates = "red\r\nFF0000\r\nlime\r\n00FF00\r\nend;\r\nnever\r\n000000\r\n";

} // namespace

TEST_F(WindowTest, FirstStartShowsTheExtendedWindowWithToolBarAndTemplates) {
    WriteTemplates(kThreeTemplates);
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    EXPECT_EQ(window->size(), QSize(587, MenuHeight(ui()) + 32 + 357));
    EXPECT_FALSE(ui().CoolBarMenu->isHidden());
    EXPECT_EQ(ui().pnlMain->y(), 32);
    EXPECT_TRUE(ui().mnuToolBarDisp->isChecked());
    EXPECT_TRUE(ui().mnuWindowMax->isChecked());
    EXPECT_FALSE(ui().mnuWindowBas->isChecked());
    EXPECT_TRUE(ui().tbtnWindowMax->isChecked());
    EXPECT_EQ(window->pos(), QPoint(0, 0)) << "placement is left to the window system";
    ASSERT_EQ(ui().lstColorSample->count(), 2);
    EXPECT_EQ(ui().lstColorSample->item(1)->text(), "lime");
    EXPECT_TRUE(services.questions.empty());
    EXPECT_EQ(ui().PageControl1->currentIndex(), 1);
    EXPECT_EQ(ui().PageControl2->currentIndex(), 0);
    EXPECT_EQ(ui().edtRn->text(), "0");
    EXPECT_EQ(ui().edtRh->text(), "");
    EXPECT_FALSE(ui().Contents1->isEnabled());
    EXPECT_FALSE(ui().tbtnHelp->isEnabled());
}

TEST_F(WindowTest, SettingsAreWrittenAsTextAtExitAndReadBackAtTheNextStart) {
    WriteTemplates(kThreeTemplates);
    Open();
    ui().mnuWindowBas->trigger();
    ui().mnuToolBarDisp->trigger();
    window->move(40, 50);
    Close();
    {
        QSettings s = Settings();
        for (const char* name : {"WindowType", "Left", "Top", "ToolBar"})
            EXPECT_EQ(s.value(QLatin1String(name)).typeId(), QMetaType::QString) << name;
        EXPECT_EQ(Stored(s, "WindowType"), "1");
        EXPECT_EQ(Stored(s, "Left"), "40");
        EXPECT_EQ(Stored(s, "Top"), "50");
        EXPECT_EQ(Stored(s, "ToolBar"), "0");
    }
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtBas);
    EXPECT_EQ(window->pos(), QPoint(40, 50));
    EXPECT_FALSE(ui().mnuToolBarDisp->isChecked());
    EXPECT_TRUE(ui().CoolBarMenu->isHidden());
    EXPECT_EQ(ui().pnlMain->y(), 2);
    EXPECT_EQ(window->size(), QSize(209, MenuHeight(ui()) + 2 + 275));
}

TEST_F(WindowTest, MinimalWindowWithoutToolBarIsThirtyPixelsShorter) {
    {
        QSettings s = Settings();
        s.setValue("WindowType", "0");
        s.setValue("ToolBar", "0");
    }
    Open();
    EXPECT_EQ(window->size(), QSize(209, MenuHeight(ui()) + 138 + 2));
    EXPECT_TRUE(ui().tbtnWindowMin->isChecked());
}

TEST_F(WindowTest, GarbageOrMissingSettingsGiveTheDefaults) {
    {
        QSettings s = Settings();
        s.setValue("WindowType", "two");
        s.setValue("Left", "");
        s.setValue("Top", "1x");
        s.setValue("ToolBar", "yes");
    }
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_TRUE(ui().mnuToolBarDisp->isChecked());
    EXPECT_FALSE(ui().CoolBarMenu->isHidden());
}

TEST_F(WindowTest, SettingsOfAnotherTypeThanTextGiveTheDefaults) {
    {
        QSettings s = Settings();
        s.setValue("WindowType", QStringList{"0", "1"});
        s.setValue("ToolBar", QStringList{"0"});
#ifdef _WIN32
        s.setValue("Left", 40); // numbers (REG_DWORD), not texts
        s.setValue("Top", 50);
#endif
    }
    Open();
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax);
    EXPECT_TRUE(ui().mnuToolBarDisp->isChecked());
    EXPECT_EQ(window->pos(), QPoint(0, 0));
}

TEST_F(WindowTest, UnknownStoredWindowTypeKeepsTheDesignSizeAndIsWrittenBack) {
    Settings().setValue("WindowType", "7");
    Open();
    EXPECT_EQ(window->size(), QSize(634, MenuHeight(ui()) + 446));
    EXPECT_TRUE(ui().mnuWindowBas->isChecked());
    EXPECT_FALSE(ui().mnuWindowMin->isChecked());
    EXPECT_FALSE(ui().mnuWindowMax->isChecked());
    for (QToolButton* b : {ui().tbtnWindowMin, ui().tbtnWindowBas, ui().tbtnWindowMax})
        EXPECT_FALSE(b->isChecked());
    Close();
    QSettings s = Settings();
    EXPECT_EQ(Stored(s, "WindowType"), "7");
}

TEST_F(WindowTest, EachWindowTypeSetsItsSizeChecksAndPressedButton) {
    Open();
    const int menu = MenuHeight(ui());
    struct Case {
        QAction* item;
        QToolButton* button;
        int type;
        QSize size;
    };
    const Case cases[] = {
        {ui().mnuWindowMin, ui().tbtnWindowMin, 0, QSize(209, menu + 32 + 138)},
        {ui().mnuWindowBas, ui().tbtnWindowBas, 1, QSize(209, menu + 32 + 275)},
        {ui().mnuWindowMax, ui().tbtnWindowMax, 2, QSize(587, menu + 32 + 357)},
    };
    for (const Case& c : cases) {
        for (int twice = 0; twice < 2; ++twice) {
            c.item->trigger();
            EXPECT_EQ(window->currentWindowType(), c.type);
            EXPECT_EQ(window->size(), c.size);
            for (const Case& other : cases) {
                EXPECT_EQ(other.item->isChecked(), other.type == c.type);
                EXPECT_EQ(other.button->isChecked(), other.type == c.type);
            }
        }
    }
    // The tool buttons do what the menu items do.
    ui().tbtnWindowMin->click();
    EXPECT_EQ(window->currentWindowType(), 0);
    EXPECT_EQ(window->size(), cases[0].size);
    ui().tbtnWindowMin->click(); // pressing the pressed button keeps it pressed
    EXPECT_TRUE(ui().tbtnWindowMin->isChecked());
    ui().tbtnWindowMax->click();
    EXPECT_EQ(window->size(), cases[2].size);
}

TEST_F(WindowTest, HidingAndShowingTheToolBarRestoresSizesExactly) {
    Open();
    const QSize before = window->size();
    ui().mnuToolBarDisp->trigger();
    EXPECT_FALSE(ui().mnuToolBarDisp->isChecked());
    EXPECT_TRUE(ui().CoolBarMenu->isHidden());
    EXPECT_EQ(ui().pnlMain->y(), 2);
    EXPECT_EQ(window->size(), before - QSize(0, 30));
    // A window type chosen while the strip is hidden takes it into account.
    ui().mnuWindowMin->trigger();
    EXPECT_EQ(window->size(), QSize(209, MenuHeight(ui()) + 2 + 138));
    ui().mnuWindowMax->trigger();
    EXPECT_EQ(window->size(), before - QSize(0, 30));
    ui().mnuToolBarDisp->trigger();
    EXPECT_FALSE(ui().CoolBarMenu->isHidden());
    EXPECT_EQ(ui().pnlMain->y(), 32);
    EXPECT_EQ(window->size(), before);
}

TEST_F(WindowTest, AlignmentMovesOnlyTheLeftEdge) {
    Open();
    window->move(100, 77);
    services.screen = 1024;
    ui().mnuWRight->trigger();
    EXPECT_EQ(window->x(), 1024 - window->frameGeometry().width());
    EXPECT_EQ(window->y(), 77);
    ui().mnuWindowMin->trigger();
    ui().mnuWRight->trigger();
    EXPECT_EQ(window->x(), 1024 - window->frameGeometry().width());
    EXPECT_EQ(window->frameGeometry().width(), 209 + (window->frameGeometry().width() - 209));
    ui().mnuWLeft->trigger();
    EXPECT_EQ(window->x(), 0);
    EXPECT_EQ(window->y(), 77);
    EXPECT_FALSE(ui().mnuWLeft->isChecked());
    EXPECT_FALSE(ui().mnuWRight->isChecked());
}

TEST_F(WindowTest, StayOnTopTogglesAndIsNotRemembered) {
    Open();
    window->show();
    EXPECT_FALSE(ui().N4->isChecked());
    ui().N4->trigger();
    EXPECT_TRUE(ui().N4->isChecked());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->isVisible());
    ui().N4->trigger();
    EXPECT_FALSE(ui().N4->isChecked());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    ui().N4->trigger();
    Close();
    Open();
    EXPECT_FALSE(ui().N4->isChecked());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(WindowTest, ExitClosesTheWindowAndTheSettingsAreWritten) {
    Open();
    window->show();
    ui().mnuWindowMin->trigger();
    ui().N2->trigger();
    EXPECT_FALSE(window->isVisible());
    Close();
    QSettings s = Settings();
    EXPECT_EQ(Stored(s, "WindowType"), "0");
}

TEST_F(WindowTest, TemplateListEndsOnlyAtEndInANamePosition) {
    WriteTemplates("a\r\nend;\r\nb\r\n0000FF\r\nend;\r\nc\r\n");
    Open();
    ASSERT_EQ(ui().lstColorSample->count(), 2);
    EXPECT_EQ(ui().lstColorSample->item(0)->text(), "a");
    EXPECT_EQ(ui().lstColorSample->item(1)->text(), "b");
    EXPECT_EQ(window->templates().size(), 6u) << "lines after end; are kept";
}

TEST_F(WindowTest, TemplateListWithoutEndListsEveryNameLine) {
    WriteTemplates("a\nFF0000\rb\n00FF00\nc"); // mixed line ends, no final one
    Open();
    ASSERT_EQ(ui().lstColorSample->count(), 3);
    EXPECT_EQ(ui().lstColorSample->item(2)->text(), "c");
}

TEST_F(WindowTest, TemplateNamesAreReadAsCodePage932) {
    WriteTemplates("\x90\xD4\r\nFF0000\r\nend;\r\n"); // 赤
    Open();
    ASSERT_EQ(ui().lstColorSample->count(), 1);
    EXPECT_EQ(ui().lstColorSample->item(0)->text(), QStringLiteral("赤"));
}

TEST_F(WindowTest, ATemplateNameOfAMebibyteIsShownCut) {
    // Measuring the whole name at every repaint of the list would stop the window for seconds.
    QByteArray name(1000000, 'a');
    name.replace(255, 2, "\x82\xA0"); // あ across the cut
    WriteTemplates(name + "\r\nFF0000\r\nend;\r\n");
    Open();
    ASSERT_EQ(ui().lstColorSample->count(), 1);
    EXPECT_EQ(ui().lstColorSample->item(0)->text(),
              QString(255, QLatin1Char('a')) + QStringLiteral("あ"));
    EXPECT_EQ(window->templates()[0].size(), 1000000u) << "the name itself is kept";
}

TEST_F(WindowTest, MissingTemplateListAsksRetryThenCancelLeavesAnEmptyList) {
    RemoveTemplates();
    services.retryCancelAnswers = {true, false};
    Open();
    ASSERT_EQ(services.questions.size(), 2u);
    for (const auto& q : services.questions) {
        EXPECT_EQ(q.caption, "OpenError");
        EXPECT_EQ(q.text, QStringLiteral("ファイル tinsora.col は開けません"));
    }
    EXPECT_EQ(ui().lstColorSample->count(), 0);
    EXPECT_TRUE(window->templates().empty());
    EXPECT_TRUE(services.errors.isEmpty());
    EXPECT_EQ(window->currentWindowType(), TfrmMain::wtMax) << "start-up went on";
}

TEST_F(WindowTest, VersionWindowOpensModallyCentredAndFreshEachTime) {
    Open();
    window->show();
    for (int round = 0; round < 2; ++round) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(about, frmAbout);
            EXPECT_EQ(about->windowTitle(), QStringLiteral("バージョン情報"));
            EXPECT_EQ(about->size(), QSize(241, 145));
            EXPECT_EQ(about->findChild<QLabel*>("StaticText1")->text(), "Version 1.0.0");
            EXPECT_TRUE(about->findChild<QLabel*>("StaticText2")->text().startsWith("Build "));
            EXPECT_EQ(about->findChild<QLabel*>("StaticText3")->text(),
                      QStringLiteral("　このプログラムはホームページの色とか作ったりするソフトです"
                                     "。役に立てば幸いです。"));
            const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
            EXPECT_LE((about->frameGeometry().center() - centre).manhattanLength(), 4);
            EXPECT_FALSE(QApplication::activeModalWidget() == window.get());
            seen = true;
            about->findChild<QPushButton*>("BitBtn1")->click();
        });
        ui().About1->trigger();
        EXPECT_TRUE(seen);
        EXPECT_EQ(frmAbout, nullptr);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(WindowTest, FirstStartLeavesAnEmptySettingsStoreBehindBeforeAnythingIsWritten) {
#ifdef _WIN32
    // The registry key HKEY_CURRENT_USER\Software\tovelind\Tinsora.
    const auto made = [] {
        return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\tovelind"),
                         QSettings::NativeFormat)
            .childGroups()
            .contains(QStringLiteral("Tinsora"));
    };
#else
    const QString file = configDir.filePath(QStringLiteral("tovelind/Tinsora.conf"));
    const auto made = [&] { return QFileInfo(file).isFile(); };
#endif
    ASSERT_FALSE(made());
    Open();
    EXPECT_TRUE(made()) << "the store is made at start-up, not at exit";
    EXPECT_TRUE(Settings().allKeys().isEmpty());
    Close();
    EXPECT_EQ(Settings().value("WindowType").toString(), "2");
}

TEST_F(WindowTest, StartingWithStoredSettingsLeavesThemAsTheyAre) {
    Settings().setValue("WindowType", "0");
    Open();
    QSettings s = Settings();
    EXPECT_EQ(s.allKeys(), QStringList{"WindowType"});
    EXPECT_EQ(s.value("WindowType").toString(), "0");
}

TEST_F(WindowTest, MainWindowHasAFixedBorderAndAMinimiseBoxButNoMaximiseBox) {
    Open();
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::MSWindowsFixedSizeDialogHint);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "only the boxes asked for";
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    ui().N4->trigger();
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint) << "also on top";
}

TEST_F(WindowTest, VersionWindowHasACaptionWithoutButtons) {
    TfrmAbout about;
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::MSWindowsFixedSizeDialogHint);
    for (Qt::WindowType box :
         {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
          Qt::WindowCloseButtonHint, Qt::WindowContextHelpButtonHint})
        EXPECT_FALSE(flags & box) << box;
}

TEST_F(WindowTest, StayOnTopKeepsTheWindowActiveFocusedAndInPlace) {
    Open();
    window->move(120, 90);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ui().edtGn->setFocus();
    const QRect before = window->geometry();
    for (int round = 0; round < 2; ++round) {
        ui().N4->trigger();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(QApplication::focusWidget(), ui().edtGn);
        EXPECT_EQ(window->geometry(), before);
    }
}

TEST_F(WindowTest, VersionWindowShowsTheWholeNameAndACheckMarkOnOk) {
    TfrmAbout about;
    const auto* name = about.findChild<QLabel*>("Label1");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("ティンソラ"));
    EXPECT_EQ(name->geometry(), QRect(8, 8, 103, 32));
    const QFontMetrics m = name->fontMetrics();
    EXPECT_LE(m.horizontalAdvance(name->text()), name->contentsRect().width());
    EXPECT_LE(m.height(), name->contentsRect().height());
    EXPECT_GE(name->font().pixelSize(), 24) << "still a large title";
    EXPECT_TRUE(QFontInfo(name->font()).family().startsWith("IPA"))
        << QFontInfo(name->font()).family().toStdString();

    const auto* ok = about.findChild<QPushButton*>("BitBtn1");
    ASSERT_NE(ok, nullptr);
    const QImage drawn = ok->icon().pixmap(QSize(16, 16)).toImage();
    const QImage check = QIcon(QStringLiteral(":/icons/ok.png")).pixmap(QSize(16, 16)).toImage();
    ASSERT_FALSE(check.isNull()) << "the check mark is one of the program's pictures";
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_ARGB32),
              check.convertToFormat(QImage::Format_ARGB32));
}

TEST(Program, AnswersVersion) {
    const auto r = tinsora::test::RunProgram(TINSORA_APP_PATH, {"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("tinsora 1.0.0 (build ", 0), 0u) << r.out;
}
