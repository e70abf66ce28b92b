#include "ClickableLabel.h"
#include "ClickablePanel.h"
#include "PictureBox.h"
#include "WindowFixture.h"
#include "html/GradientTable.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

class GeneratorsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
    void Create() {
        ui().SpeedButton2->click();
        EXPECT_TRUE(RunEnds());
    }
    void ToggleLineMode() {
        ui().chkRN->click();
        EXPECT_TRUE(RunEnds());
    }
    QString Pane() { return ui().txtHTML->toPlainText(); }
    void TableCounts(const char* cols, const char* rows) {
        ui().PageControl1->setCurrentIndex(3);
        ui().edtTD->setText(cols);
        ui().edtTR->setText(rows);
    }
};

TEST_F(GeneratorsTest, ThreeByThreeTableLineForLine) {
    TableCounts("3", "3");
    services.okCancelAnswers = {true};
    Create();
    ASSERT_EQ(services.questions.size(), 1u);
    EXPECT_EQ(services.questions[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(services.questions[0].text,
              QStringLiteral("この数では綺麗に表示されないかもしれません。\nよろしいですか？"));
    const QStringList lines = Pane().split('\n');
    ASSERT_EQ(lines.size(), 20); // 19 entries, each ended by a line break
    EXPECT_EQ(lines[0], R"(<TABLE cellpadding="0" cellspacing="0">)");
    EXPECT_EQ(lines[1], "  <TBODY>");
    EXPECT_EQ(lines[2], "    <TR>");
    EXPECT_EQ(lines[4], R"(      <TD bgcolor="#FF7F7F" width="1" height="1"></TD>)");
    EXPECT_EQ(lines[9], R"(      <TD bgcolor="#7F7F7F" width="1" height="1"></TD>)");
    EXPECT_EQ(lines[15], R"(      <TD bgcolor="#0000FF" width="1" height="1"></TD>)");
    EXPECT_EQ(lines[17], "  </TBODY>");
    EXPECT_EQ(lines[18], "</TABLE>");
    EXPECT_EQ(lines[19], "");

    services.clipboard.reset();
    ui().btnClipCopyHTML->click();
    ASSERT_TRUE(services.clipboard.has_value());
    EXPECT_TRUE(services.clipboard->startsWith(
        "<TABLE cellpadding=\"0\" cellspacing=\"0\">\r\n  <TBODY>\r\n"));
    EXPECT_TRUE(services.clipboard->endsWith("</TABLE>\r\n"));
}

TEST_F(GeneratorsTest, ConfirmationOnlyForCountsTwoToNine) {
    const std::pair<const char*, const char*> asks[] = {
        {"2", "1"}, {"1", "5"}, {"20", "9"}, {"10", "2"}};
    for (const auto& [cols, rows] : asks) {
        TableCounts(cols, rows);
        services.questions.clear();
        services.okCancelAnswers = {true};
        Create();
        EXPECT_EQ(services.questions.size(), 1u) << cols << " x " << rows;
    }
    const std::pair<const char*, const char*> straight[] = {
        {"1", "1"}, {"1", "10"}, {"10", "10"}, {"0", "0"}};
    for (const auto& [cols, rows] : straight) {
        TableCounts(cols, rows);
        services.questions.clear();
        Create();
        EXPECT_TRUE(services.questions.empty()) << cols << " x " << rows;
    }
    EXPECT_EQ(Pane(),
              "<TABLE cellpadding=\"0\" cellspacing=\"0\">\n  <TBODY>\n  </TBODY>\n</TABLE>\n");
}

TEST_F(GeneratorsTest, CancelAndBadCountsLeaveThePane) {
    ui().txtHTML->setPlainText("kept");
    TableCounts("3", "1");
    services.okCancelAnswers = {false};
    ToggleLineMode(); // toggling regenerates, and is cancelled here
    EXPECT_EQ(Pane(), "kept");

    TableCounts("", "1");
    Create();
    EXPECT_TRUE(services.questions.size() == 1u) << "a bad column count stops before the question";
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("'' は整数ではありません."));

    TableCounts("3", "x");
    services.okCancelAnswers = {true};
    Create();
    EXPECT_EQ(services.questions.size(), 2u) << "the question comes first";
    EXPECT_EQ(services.errors.last(), QStringLiteral("'x' は整数ではありません."));

    TableCounts("100000", "100000");
    Create();
    EXPECT_TRUE(services.errors.last().startsWith(QStringLiteral("出力が大きすぎます")))
        << services.errors.last().toStdString();
    EXPECT_EQ(Pane(), "kept");
}

TEST_F(GeneratorsTest, JoinedModeAndCorneredColours) {
    ui().pnlCol1->setFocus();
    ui().ScrollBarB->setValue(0x12);
    QTest::mouseClick(ui().pnlCol1, Qt::LeftButton);
    TableCounts("1", "1");
    ToggleLineMode(); // joined
    EXPECT_EQ(
        Pane(),
        R"(<TABLE cellpadding="0" cellspacing="0"><TBODY><TR><TD bgcolor="#000012" width="1" height="1"></TD></TR></TBODY></TABLE>)");
    ui().edtCellWidth->setText("50%");
    Create();
    EXPECT_TRUE(Pane().contains(R"(width="50%")"));
}

TEST_F(GeneratorsTest, BodyTagBeforeAndAfterALabelClick) {
    const QImage before = ui().imgBody->image();
    ASSERT_EQ(before.size(), QSize(145, 153));
    EXPECT_EQ(before.pixel(0, 0), qRgb(255, 255, 255)) << "plain white, no frame, before any click";

    TableCounts("1", "1");
    Create();
    ui().PageControl1->setCurrentIndex(0);
    Create();
    EXPECT_EQ(
        Pane(),
        R"(<BODY BgColor="#FFFFFF" Text="#000000" Link="#000000" Vlink="#000000" Alink="#000000">)");

    ui().ScrollBarR->setValue(255);
    ui().ScrollBarG->setValue(128);
    QTest::mouseClick(ui().lblLink, Qt::LeftButton);
    ToggleLineMode(); // the tag ignores the line mode
    EXPECT_EQ(
        Pane(),
        R"(<BODY BgColor="#FFFFFF" Text="#000000" Link="#FF8000" Vlink="#000000" Alink="#000000">)");
    const QImage after = ui().imgBody->image();
    EXPECT_EQ(after.pixel(0, 0), qRgb(0, 0, 0)) << "the frame is drawn";
    EXPECT_EQ(after.pixel(140, 5), qRgb(255, 255, 255));
    bool orange = false;
    for (int y = 70; y < 90; ++y)
        for (int x = 12; x < 140; ++x)
            orange = orange || after.pixel(x, y) == qRgb(255, 128, 0);
    EXPECT_TRUE(orange) << "the link line is drawn in its colour";
}

TEST_F(GeneratorsTest, OptionPageLeavesThePaneAndClearThenCopyGivesEmptyText) {
    ui().txtHTML->setPlainText("mine");
    ui().PageControl1->setCurrentIndex(2);
    Create();
    ToggleLineMode();
    EXPECT_EQ(Pane(), "mine");
    ui().btnClear->click();
    ui().btnClipCopyHTML->click();
    EXPECT_EQ(services.clipboard, QString());
}

TEST_F(GeneratorsTest, ArrowsStepTheBoxesWithinTheirOwnRange) {
    ui().UpDownTD->step(UpDown::Button::Up);
    EXPECT_EQ(ui().edtTD->text(), "2");
    ui().UpDownTD->step(UpDown::Button::Down);
    EXPECT_EQ(ui().edtTD->text(), "1");
    ui().UpDownTD->step(UpDown::Button::Down);
    EXPECT_EQ(ui().edtTD->text(), "1") << "the arrow's own position is at its bottom";
    ui().UpDownKeisen->step(UpDown::Button::Down);
    EXPECT_EQ(ui().edtKeisen->text(), "0");
    ui().edtCellHeight->setText("abc");
    ui().UpDownCellHeight->step(UpDown::Button::Up);
    EXPECT_EQ(ui().edtCellHeight->text(), "abc");
    EXPECT_EQ(services.errors.last(), QStringLiteral("'abc' は整数ではありません."));
}

TEST_F(GeneratorsTest, TheOutputStyleMenuShapesEveryGeneration) {
    EXPECT_TRUE(ui().mnuStyleClassic->isChecked());
    EXPECT_FALSE(ui().mnuStyleHtml5->isChecked());
    EXPECT_FALSE(ui().mnuCssGradient->isEnabled()) << "a CSS gradient has no classic form";
    EXPECT_EQ(ui().mnuOutputStyle->title(), QStringLiteral("出力形式(&O)"));

    ui().mnuStyleHtml5->trigger();
    EXPECT_TRUE(RunEnds()) << "the text of the page shown, made again";
    EXPECT_FALSE(ui().mnuStyleClassic->isChecked());
    EXPECT_TRUE(ui().mnuStyleHtml5->isChecked());
    EXPECT_TRUE(ui().mnuCssGradient->isEnabled());
    TableCounts("1", "1");
    Create();
    EXPECT_TRUE(Pane().startsWith(R"(<table role="presentation" style="border-spacing:0px">)"
                                  "\n  <tbody>\n"))
        << Pane().left(200).toStdString();
    ToggleLineMode(); // joined, regenerated in the same style
    EXPECT_EQ(Pane(),
              R"(<table role="presentation" style="border-spacing:0px"><tbody><tr>)"
              R"(<td style="padding:0px;width:1px;height:1px;background-color:#FF0000"></td>)"
              "</tr></tbody></table>");
    ui().mnuCssGradient->trigger();
    Create();
    EXPECT_EQ(Pane(), R"(<div style="width:1px;height:1px;background-color:#FF0000"></div>)");
    // The same with class rules: a style sheet, and no style attribute.
    ui().mnuCssClasses->trigger();
    Create();
    EXPECT_TRUE(Pane().contains("{width:1px;height:1px;background-color:#FF0000}\n"));
    EXPECT_FALSE(Pane().contains("style=\"")) << Pane().toStdString();
    ui().mnuCssGradient->trigger();
    Create();
    EXPECT_TRUE(Pane().contains(".tb-FF0000{background:#FF0000}\n"));
    EXPECT_FALSE(Pane().contains("style=\"")) << Pane().toStdString();
    ui().mnuCssClasses->trigger();

    // Gradient text as one element, beside the table's CSS gradient.
    EXPECT_TRUE(ui().mnuTextCssGradient->isEnabled());
    ui().PageControl1->setCurrentIndex(1);
    ui().edtGraText->setText(QStringLiteral("AB"));
    ui().mnuTextCssGradient->trigger();
    Create();
    EXPECT_TRUE(Pane().contains("background:linear-gradient(to right,#FF0000,#FFFFFF)"));
    EXPECT_TRUE(Pane().endsWith("\">AB</span>")) << Pane().toStdString(); // joined

    ui().PageControl1->setCurrentIndex(0);
    Create();
    EXPECT_TRUE(Pane().contains("a:visited{color:#000000}\n")) << Pane().toStdString();
    EXPECT_TRUE(Pane().endsWith("-->\n<body>\n"));

    ui().mnuStyleClassic->trigger();
    EXPECT_FALSE(ui().mnuTextCssGradient->isEnabled());
    EXPECT_FALSE(ui().mnuCssClasses->isEnabled());
    Create();
    EXPECT_EQ(
        Pane(),
        R"(<BODY BgColor="#FFFFFF" Text="#000000" Link="#000000" Vlink="#000000" Alink="#000000">)");
}

TEST_F(GeneratorsTest, TheGradientTextPageMarksTheLowestContrastAgainstTheBackground) {
    ui().PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(ui().lblGraTextLevel->text().isEmpty()) << "nothing before a run";
    ui().edtGraText->setText(QStringLiteral("ABC"));
    Create(); // red to white, on the BODY page's white
    EXPECT_EQ(ui().lblGraTextRatio->text(), QStringLiteral("背景色との最低コントラスト 1.00:1"));
    EXPECT_EQ(ui().lblGraTextLevel->text(), QStringLiteral("×"));
    EXPECT_TRUE(ui().lblGraTextLevel->toolTip().contains(QStringLiteral("(#FFFFFF)")));

    // On a black background the red end is the lowest: 5.25, AA.
    ui().ScrollBarR->setValue(0);
    ui().ScrollBarG->setValue(0);
    ui().ScrollBarB->setValue(0);
    ui().PageControl1->setCurrentIndex(0);
    QTest::mouseClick(ui().lblBgcolor, Qt::LeftButton);
    ui().PageControl1->setCurrentIndex(1);
    Create();
    EXPECT_EQ(ui().lblGraTextRatio->text(), QStringLiteral("背景色との最低コントラスト 5.25:1"));
    EXPECT_EQ(ui().lblGraTextLevel->text(), QStringLiteral("AA"));
}

TEST_F(GeneratorsTest, ATableTooLargeForThePaneGivesItsSizeWithCrLfLineEnds) {
    ui().txtHTML->setPlainText("kept");
    TableCounts("9700", "1000");
    tinsora::GradientTableOptions table;
    table.cols = "9700";
    table.rows = "1000";
    table.lineEnd = "\n";
    const tinsora::Uint128 held = tinsora::GradientTableSize(table);
    table.lineEnd = "\r\n";
    const tinsora::Uint128 copied = tinsora::GradientTableSize(table);
    ASSERT_LE(held.lo, TfrmMain::kMaxPaneBytes) << "the pane could hold it with LF line ends";
    ASSERT_GT(copied.lo, TfrmMain::kMaxPaneBytes);
    Create();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("出力が大きすぎます (%1 バイト。上限は %2 バイトです)")
                  .arg(copied.lo)
                  .arg(TfrmMain::kMaxPaneBytes));
    EXPECT_FALSE(window->runInProgress()) << "refused before anything is made";
    EXPECT_EQ(Pane(), "kept");
}

TEST_F(GeneratorsTest, BrowserPreviewWrapsThePaneIntoAWholePage) {
    EXPECT_EQ(ui().mnuBrowserPreview->text(), QStringLiteral("ブラウザで表示(&B)"));
    EXPECT_FALSE(ui().mnuBrowserPreview->shortcut().isEmpty());
    ui().mnuStyleHtml5->trigger();
    EXPECT_TRUE(RunEnds());
    ui().PageControl1->setCurrentIndex(0);
    Create();
    ui().mnuBrowserPreview->trigger();
    ASSERT_EQ(services.openedUrls.size(), 1);
    ASSERT_TRUE(services.openedUrls[0].isLocalFile());
    QFile page(services.openedUrls[0].toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(
        html.startsWith("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">"));
    EXPECT_TRUE(html.contains("a:active{color:#000000}\n</style>\n</head>\n<body>\n<main>\n"));
    EXPECT_FALSE(html.contains("<!--")) << "the marks stay out of the page";
    // A BODY tag alone is shown with text and links to judge its colours by.
    EXPECT_TRUE(html.contains("<a href=")) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("テキスト(text)"))) << html.toStdString();

    // A classic fragment is wrapped the same way, each preview in a file of its own.
    ui().mnuStyleClassic->trigger();
    ui().txtHTML->setPlainText("<FONT Color=\"#FF0000\">A</FONT>");
    ui().mnuBrowserPreview->trigger();
    ASSERT_EQ(services.openedUrls.size(), 2);
    EXPECT_NE(services.openedUrls[0], services.openedUrls[1]);
    QFile classic(services.openedUrls[1].toLocalFile());
    ASSERT_TRUE(classic.open(QIODevice::ReadOnly));
    EXPECT_TRUE(classic.readAll().contains("<main>\n<FONT Color=\"#FF0000\">A</FONT>\n</main>"));

    services.openUrlSucceeds = false;
    ui().mnuBrowserPreview->trigger();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_TRUE(services.errors[0].startsWith(QStringLiteral("ブラウザで ")));

    // The pages stay for the browser to show again once the program has ended.
    Close();
    EXPECT_TRUE(QFile::exists(services.openedUrls[1].toLocalFile()));
}

TEST_F(GeneratorsTest, ChangingTheOutputStyleRemakesTheOutputAsLineModeDoes) {
    ui().PageControl1->setCurrentIndex(0);
    Create();
    EXPECT_TRUE(Pane().startsWith("<BODY BgColor="));
    ui().mnuStyleHtml5->trigger();
    EXPECT_TRUE(RunEnds());
    EXPECT_TRUE(Pane().contains("a:visited{color:#000000}")) << Pane().toStdString();
    ui().mnuStyleClassic->trigger();
    EXPECT_TRUE(RunEnds());
    EXPECT_TRUE(Pane().startsWith("<BODY BgColor="));
}

TEST_F(GeneratorsTest, ACssGradientAsksNothingAtSmallCounts) {
    ui().PageControl1->setCurrentIndex(2); // nothing is made here
    ui().mnuStyleHtml5->trigger();
    ui().mnuCssGradient->trigger();
    TableCounts("3", "3");
    Create(); // no question is scripted
    EXPECT_TRUE(services.questions.empty());
    EXPECT_TRUE(Pane().contains("linear-gradient(")) << Pane().toStdString();
}

TEST_F(WindowTest, TheOutputStyleIsRememberedAsAFifthSetting) {
    Open();
    EXPECT_TRUE(ui().mnuStyleClassic->isChecked()) << "no setting: classic";
    ui().mnuStyleHtml5->trigger();
    Close();
    EXPECT_EQ(Settings().value("OutputStyle").toString(), QStringLiteral("html5"));
    EXPECT_EQ(Settings().value("OutputStyle").typeId(), QMetaType::QString);
    Open();
    EXPECT_TRUE(ui().mnuStyleHtml5->isChecked());
    EXPECT_TRUE(ui().mnuCssGradient->isEnabled());
    Close();
    Settings().setValue("OutputStyle", QStringLiteral("xhtml"));
    Open();
    EXPECT_TRUE(ui().mnuStyleClassic->isChecked()) << "an unknown value: classic";
    Close();
    EXPECT_EQ(Settings().value("OutputStyle").toString(), QStringLiteral("classic"));
}

// The desktop's own way of opening a page, with an opener on the PATH that
// starts and then fails as xdg-open does when no browser can be started.
class BrowserOpenerTest : public WindowTest {
protected:
    class RealBrowser final : public PartlyRealServices {
    public:
        using PartlyRealServices::PartlyRealServices;
        bool openUrl(const QUrl& url, OpenFailed failed) override {
            return desktop.openUrl(url, std::move(failed));
        }
    };

    void SetUp() override {
        WindowTest::SetUp();
        savedPath = qgetenv("PATH");
        const QString opener = workDir.filePath(QStringLiteral("xdg-open"));
        QFile script(opener);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/opened\"\n"
                     "echo 'xdg-open: no method available for opening' >&2\nexit 3\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (workDir.path() + QLatin1Char(':')).toUtf8() + savedPath);
        window = std::make_unique<TfrmMain>(browser);
    }
    void TearDown() override {
        window.reset();
        qputenv("PATH", savedPath);
        WindowTest::TearDown();
    }

    RealBrowser browser{services};
    QByteArray savedPath;
};

#ifndef _WIN32 // the opener that reports afterwards is xdg-open; Windows says at once
TEST_F(BrowserOpenerTest, ABrowserThatCannotBeStartedIsReported) {
    ui().txtHTML->setPlainText(QStringLiteral("<B>x</B>"));
    ui().mnuBrowserPreview->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !services.errors.isEmpty(); }, 10000))
        << "nothing said";
    EXPECT_TRUE(QFile::exists(workDir.filePath(QStringLiteral("opened")))) << "the opener ran";
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_TRUE(services.errors[0].startsWith(QStringLiteral("ブラウザで ")))
        << services.errors[0].toStdString();
}
#endif
