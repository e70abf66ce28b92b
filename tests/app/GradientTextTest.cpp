#include "html/GradientText.h"

#include "ClickablePanel.h"
#include "PictureBox.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

class GradientTextTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        ASSERT_EQ(ui().PageControl1->currentIndex(), 1);
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
    QString WriteFile(const char* name, const QByteArray& bytes) {
        const QString path = workDir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    void UseFile(const QString& path) {
        ui().rbtnGraTextFile->setChecked(true);
        ui().edtTextFileName->setText(path);
    }
};

TEST_F(GradientTextTest, TypedLettersRunFromRedToWhite) {
    QTest::keyClicks(ui().edtGraText, "ABCDEFGHIJ");
    Create();
    const QStringList lines = Pane().split('\n', Qt::SkipEmptyParts);
    const char* colours[] = {"FF0000", "FF1C1C", "FF3838", "FF5555", "FF7171",
                             "FF8D8D", "FFAAAA", "FFC6C6", "FFE2E2", "FFFFFF"};
    ASSERT_EQ(lines.size(), 10);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(lines[k], QStringLiteral("<FONT Color=\"#%1\" Size=\"3\">%2</FONT>")
                                .arg(QLatin1String(colours[k]))
                                .arg(QChar('A' + k)));
    // The preview shows the characters in their colours inside the frame.
    const QImage preview = ui().imgGradText->image();
    ASSERT_EQ(preview.size(), QSize(362, 45));
    EXPECT_EQ(preview.pixel(0, 0), qRgb(0, 0, 0));
    bool red = false;
    for (int y = 2; y < 43; ++y)
        for (int x = 5; x < 13; ++x)
            red = red || preview.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red) << "the first character is drawn in colour 1";
}

TEST_F(GradientTextTest, CornerColoursAndCountBoxFeedTheText) {
    ui().ScrollBarG->setValue(255);
    QTest::mouseClick(ui().pnlCol2, Qt::LeftButton); // colour 2 := (0, 255, 0)
    ui().cmbColorIndex->setCurrentText("9");         // four colours
    ui().edtGraText->setText("ABCD");
    ToggleLineMode(); // joined, and regenerated
    EXPECT_EQ(
        Pane(),
        QStringLiteral(
            "<FONT Color=\"#FF0000\" Size=\"3\">A</FONT><FONT Color=\"#00FF00\" Size=\"3\">B</FONT>"
            "<FONT Color=\"#00FF00\" Size=\"3\">C</FONT><FONT Color=\"#0000FF\" "
            "Size=\"3\">D</FONT>"));
}

TEST_F(GradientTextTest, OptionControlsEnableTogether) {
    EXPECT_FALSE(ui().rbtnSUP->isEnabled());
    ui().chkTateIchi->click();
    EXPECT_TRUE(ui().rbtnSUP->isEnabled());
    EXPECT_TRUE(ui().rbtnSUB->isEnabled());
    ui().chkTateIchi->click();
    EXPECT_FALSE(ui().rbtnSUB->isEnabled());
    EXPECT_TRUE(ui().rbtnSUP->isChecked()) << "checked states stay";

    for (QWidget* w : std::initializer_list<QWidget*>{ui().rbtnM_L, ui().rbtnM_Hanten,
                                                      ui().lblM_Ido, ui().lblM_Chon2})
        EXPECT_FALSE(w->isEnabled());
    ui().chkMarquee->click();
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui().rbtnM_L, ui().rbtnM_R, ui().rbtnM_Scroll, ui().rbtnM_Slide, ui().rbtnM_Hanten,
             ui().lblM_Hoko, ui().lblM_Ido, ui().lblM_Chon1, ui().lblM_Chon2})
        EXPECT_TRUE(w->isEnabled());
    ui().rbtnM_R->setChecked(true);
    ui().rbtnM_Hanten->setChecked(true);
    ui().edtGraText->setText("x");
    Create();
    const QStringList lines = Pane().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.first(), R"(<MARQUEE Direction="right" Behavior="alternate">)");
    EXPECT_EQ(lines.last(), "</MARQUEE>");
}

TEST_F(GradientTextTest, BadSizeOrMissingFileLeavesThePaneAndClearsThePreview) {
    ui().txtHTML->setPlainText("kept");
    ui().edtGraText->setText("AB");
    ui().cmbMojiSize->setCurrentText(QStringLiteral("大"));
    Create();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("'大' は整数ではありません."));
    EXPECT_EQ(Pane(), "kept");
    const QImage preview = ui().imgGradText->image();
    EXPECT_EQ(preview.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(preview.pixel(20, 20), qRgb(255, 255, 255));

    ui().cmbMojiSize->setCurrentText("3");
    ui().rbtnGraTextFile->setChecked(true); // the name box still holds its hint
    Create();
    EXPECT_EQ(services.errors.last(),
              QStringLiteral("ファイル （ファイル名をフルパスで入力してください） は開けません."));
    EXPECT_EQ(Pane(), "kept");
}

TEST_F(GradientTextTest, FileDialogFillsTheNameBoxOrEmptiesItWhenCancelled) {
    services.openAnswers = {QStringLiteral("/tmp/chosen.txt"), std::nullopt};
    ui().btnOpenTextFile->click();
    EXPECT_EQ(ui().edtTextFileName->text(), "/tmp/chosen.txt");
    ASSERT_EQ(services.openRequests.size(), 1u);
    EXPECT_EQ(services.openRequests[0].filters.size(), 2);
    ui().btnOpenTextFile->click();
    EXPECT_EQ(ui().edtTextFileName->text(), "");
    EXPECT_TRUE(ui().rbtnGraTextMoji->isChecked()) << "the source is not changed";
}

TEST_F(GradientTextTest, TextFilesAreReadAsCodePage932) {
    UseFile(WriteFile("three.txt", "AB\r\n\r\n\x82\xA0\x82"));
    Create();
    const QStringList lines = Pane().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], R"(<FONT Color="#FF0000" Size="3">A</FONT>)");
    EXPECT_EQ(lines[2], "<BR>");
    EXPECT_EQ(lines[3], "<BR>");
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("\">あ</FONT>")));
    EXPECT_EQ(lines[6], "<BR>") << "a lead byte at the very end is a character of its own";
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(GradientTextTest, BinaryFileGivesASoundResult) {
    QByteArray bytes(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(5);
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    bytes[100] = '\0'; // a zero byte ends the text
    UseFile(WriteFile("binary.bin", bytes));
    Create();
    EXPECT_TRUE(services.errors.isEmpty());
    EXPECT_TRUE(Pane().endsWith("<BR>\n"));
}

TEST_F(GradientTextTest, HugeTextFileIsRefusedBeforeThePaneIsTouched) {
    QByteArray line(78, 'x');
    line += "\r\n";
    QByteArray bytes;
    bytes.reserve(20 * 1024 * 1024);
    while (bytes.size() < 20 * 1024 * 1024)
        bytes += line;
    ui().txtHTML->setPlainText("kept");
    UseFile(WriteFile("big.txt", bytes));
    Create();
    // The size as the pane would hold it: every line end CR LF.
    struct Count final : tinsora::OutputSink {
        std::uint64_t bytes = 0;
        void Write(std::string_view b) override { bytes += b.size(); }
    } count;
    tinsora::GradientTextOptions o;
    o.source = tinsora::GradientTextSource::File;
    o.fileBytes = std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    tinsora::WriteGradientText(o, count);
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("出力が大きすぎます (%1 バイト。上限は %2 バイトです)")
                  .arg(count.bytes)
                  .arg(TfrmMain::kMaxPaneBytes))
        << services.errors[0].toStdString();
    EXPECT_EQ(Pane(), "kept");
}
