// What the window shows beyond its values: whole texts, Japanese standard
// dialogs, pictures on the buttons, list rows and the text preview.

#include "FitLabel.h"
#include "PictureBox.h"
#include "WindowFixture.h"

#ifdef TINSORA_HAVE_SVG
#include "icons/IconDrawing.h"
#endif

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QToolButton>
#include <QToolTip>
#include <utility>

namespace {

bool FitsIn(const QLabel* label, const QString& text) {
    // The label's own font metrics: the font it shows the text in.
    const QFontMetrics m = label->fontMetrics();
    return m.horizontalAdvance(text) <= label->contentsRect().width() &&
           m.height() <= label->contentsRect().height();
}

// The smallest rectangle holding every pixel that is neither white nor black.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x) {
            const QRgb p = image.pixel(x, y);
            if ((p & 0xFFFFFF) != 0xFFFFFF && (p & 0xFFFFFF) != 0)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

} // namespace

class LookTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
};

TEST_F(LookTest, EveryNotationOfTheWidestColoursShowsWholeInTheColourLabel) {
    FitLabel* label = ui().lblHex;
    ASSERT_EQ(label->size(), QSize(115, 20));
    EXPECT_TRUE(QFontInfo(label->font()).family().startsWith("IPA"))
        << "the font the window really uses here: "
        << QFontInfo(label->font()).family().toStdString();
    QAction* notations[] = {ui().mnuColTypeHex, ui().mnuColTypeRGB, ui().mnuColTypeVB,
                            ui().mnuColTypeCB};
    const tinsora::ColorRGB colours[] = {{255, 255, 255}, {221, 221, 221}, {0, 0, 0},
                                         {255, 128, 0},   {188, 188, 188}, {8, 8, 8}};
    for (bool sharp : {true, false}) {
        if (ui().mnuOptionSharp->isChecked() != sharp)
            ui().mnuOptionSharp->trigger();
        for (QAction* notation : notations) {
            notation->trigger();
            for (const auto& c : colours) {
                SetColor(c.Red, c.Green, c.Blue);
                EXPECT_TRUE(FitsIn(label, label->text())) << label->text().toStdString();
                EXPECT_EQ(label->font().pixelSize(), 16) << label->text().toStdString();
            }
        }
    }
    // The texts of the CSS notations at their widest, and the design text.
    for (const char* text : {"rgb(255 255 255)", "hsl(360 100% 100%)", "hsl(300 100% 50%)",
                             "RGB(255,255,255)", "#DDDDDD", "&H00FFFFFF&", "0x00FFFFFF"}) {
        label->setText(QLatin1String(text));
        EXPECT_TRUE(FitsIn(label, label->text())) << text;
        EXPECT_EQ(label->font().pixelSize(), 16) << text;
    }
    // A text that fits is shown in the label's full font, not condensed.
    label->setText(QStringLiteral("#000000"));
    EXPECT_TRUE(label->font().stretch() == QFont::AnyStretch ||
                label->font().stretch() == QFont::Unstretched)
        << label->font().stretch();
}

TEST_F(LookTest, TemplateRowsAreTwelvePixelsHigh) {
    Close();
    WriteTemplates("a\r\n000000\r\nb\r\nFFFFFF\r\nc\r\n808080\r\nend;\r\n");
    Open();
    QListWidget* list = ui().lstColorSample;
    list->show();
    ASSERT_EQ(list->count(), 3);
    EXPECT_LE(list->fontMetrics().height(), 12) << "letters fit the rows whole";
    EXPECT_GE(list->font().pixelSize(), 10);
    for (int k = 0; k < list->count(); ++k) {
        const QRect r = list->visualItemRect(list->item(k));
        EXPECT_EQ(r.height(), 12) << k;
        EXPECT_EQ(r.top(), 12 * k) << k;
    }
}

TEST_F(LookTest, PreviewOfSizeZeroOrBelowDrawsAtTheDefaultSize) {
    ui().PageControl1->setCurrentIndex(1);
    ui().rbtnGraTextMoji->setChecked(true);
    ui().edtGraText->setText(QStringLiteral("A"));
    for (const char* size : {"+0", "-1", "-2"}) {
        ui().cmbMojiSize->setCurrentText(QLatin1String(size));
        ui().SpeedButton2->click();
        ASSERT_TRUE(RunEnds());
        ASSERT_TRUE(services.errors.isEmpty()) << services.errors.join(' ').toStdString();
        const QRect ink = InkBounds(ui().imgGradText->image());
        EXPECT_GE(ink.height(), 7) << size << ": a letter of a readable size";
        EXPECT_LE(ink.height(), 16) << size;
        EXPECT_GE(ink.left(), 5) << size << ": the first letter stands at x = 5";
    }
}

TEST_F(LookTest, StandardBoxesAndFileDialogsSpeakJapanese) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("OpenError"), QString(),
                    QMessageBox::Retry | QMessageBox::Cancel | QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Retry)->text(), QStringLiteral("再試行"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));

    for (QFileDialog::AcceptMode mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        QStringList texts;
        for (const QLabel* l : dialog.findChildren<QLabel*>())
            texts << l->text();
        for (const QPushButton* b : dialog.findChildren<QPushButton*>())
            texts << b->text();
        EXPECT_TRUE(texts.contains(QStringLiteral("キャンセル"))) << texts.join('|').toStdString();
        for (const char* english : {"Look in:", "File &name:", "Cancel", "&Open", "&Save"})
            EXPECT_FALSE(texts.contains(QLatin1String(english))) << english;
    }
}

// Run once as the screen is and once more at twice its scale (QT_SCALE_FACTOR=2,
// a test of its own): every button shows its picture drawn for that scale,
// never one blown up.
TEST_F(LookTest, ButtonsShowTheirPicturesDrawnForTheScreensScale) {
    const qreal scale = qApp->devicePixelRatio();
    if (const QByteArray factor = qgetenv("QT_SCALE_FACTOR"); !factor.isEmpty()) {
        ASSERT_EQ(scale, factor.toDouble()) << "the screen is not at the scale asked for";
    }
    const QString suffix = scale > 1 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    const std::pair<QToolButton*, const char*> buttons[] = {{ui().tbtnWindowMin, "window-min"},
                                                            {ui().tbtnWindowBas, "window-basic"},
                                                            {ui().tbtnWindowMax, "window-extended"},
                                                            {ui().tbtnHelp, "help"},
                                                            {ui().btnHanten, "invert"},
                                                            {ui().btnColorCopy, "copy"},
                                                            {ui().SpeedButton2, "create"},
                                                            {ui().tbtnEyedropper, "eyedropper"}};
    for (const auto& [button, name] : buttons) {
        const QImage picture = QImage(QStringLiteral(":/icons/") + name + suffix)
                                   .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(picture.size(), QSize(16, 16) * scale) << name;
        const QImage shown = button->icon()
                                 .pixmap(button->iconSize(), scale)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(shown, picture) << name << " at " << scale;
        int stroke = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                stroke += picture.pixel(x, y) == qRgba(0x3c, 0x3c, 0x3c, 255) ? 1 : 0;
        EXPECT_GE(stroke, 8 * scale) << name << " at " << scale << ": drawn in solid dark lines";
    }
    // The window-size pictures differ from each other.
    const auto image = [](QToolButton* b) { return b->icon().pixmap(QSize(16, 16)).toImage(); };
    EXPECT_NE(image(ui().tbtnWindowMin), image(ui().tbtnWindowBas));
    EXPECT_NE(image(ui().tbtnWindowBas), image(ui().tbtnWindowMax));
    EXPECT_EQ(ui().SpeedButton2->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    EXPECT_EQ(ui().SpeedButton2->text(), QStringLiteral("作成"));
    for (QToolButton* b : {ui().tbtnWindowMin, ui().tbtnHelp, ui().btnHanten})
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

#ifdef TINSORA_HAVE_SVG
// The PNG pictures are made from the drawings (the build target "icons");
// a drawing changed without them would not show.
TEST(ButtonPictures, AreTheirDrawingsAtOneAndTwoTimes) {
    const QDir folder(QStringLiteral(TINSORA_SOURCE_DIR "/app/icons"));
    int drawings = 0;
    for (const QString& svg : folder.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
        if (svg == QStringLiteral("tinsora.svg"))
            continue; // the program's icon, in tinsora.ico
        ++drawings;
        const QString base = folder.filePath(QFileInfo(svg).completeBaseName());
        for (const auto& [side, file] : {std::pair{16, base + QStringLiteral(".png")},
                                         std::pair{32, base + QStringLiteral("@2x.png")}}) {
            const QImage drawn = tinsora::icons::DrawSvg(folder.filePath(svg), side);
            ASSERT_FALSE(drawn.isNull()) << svg.toStdString();
            EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_ARGB32), drawn)
                << file.toStdString() << " is not " << svg.toStdString() << " drawn at " << side
                << " pixels: draw them again with the build target \"icons\"";
        }
    }
    EXPECT_GE(drawings, 9);
}
#endif

TEST_F(LookTest, EveryOneLineCaptionOfTheWindowShowsWhole) {
    QStringList clipped;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.isEmpty() || label->wordWrap() || text.contains('\n'))
            continue;
        const QString shown = QString(text).remove('&');
        if (!FitsIn(label, label->textFormat() == Qt::PlainText ? text : shown))
            clipped << label->objectName() + ": " + text;
    }
    // Buttons, check boxes and radio buttons: the caption in the room their
    // style gives it.
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->text().isEmpty() || qobject_cast<const QToolButton*>(b))
            continue;
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QStyle::SubElement contents =
            qobject_cast<const QCheckBox*>(b)      ? QStyle::SE_CheckBoxContents
            : qobject_cast<const QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                                                   : QStyle::SE_PushButtonContents;
        const QRect room = b->style()->subElementRect(contents, &option, b);
        const QFontMetrics m = b->fontMetrics();
        if (m.horizontalAdvance(QString(b->text()).remove('&')) > room.width() ||
            m.height() > room.height())
            clipped << b->objectName() + ": " + b->text();
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(", ").toStdString();
}

TEST_F(LookTest, FourDigitCountsShowWholeInTheTableBoxes) {
    if (QGuiApplication::platformName() == QStringLiteral("minimal"))
        GTEST_SKIP() << "the minimal platform (Windows tests under Wine) has none of the fonts "
                        "the window is drawn in on a desktop";
    for (QLineEdit* box : {ui().edtTD, ui().edtTR, ui().edtCellWidth, ui().edtCellHeight}) {
        box->setText(QStringLiteral("1000"));
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const QRect contents =
            box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
        const int margin = 2; // each side, within the contents, as the box draws its text
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()) + 1,
                  contents.width() - 2 * margin)
            << box->objectName().toStdString();
    }
}

TEST_F(LookTest, ContrastFiguresStandApartAndTipsKeepTheirColour) {
    for (const auto& [figure, label] :
         {std::pair{ui().lblTextRatio, static_cast<QWidget*>(ui().lblText)},
          std::pair{ui().lblAlinkRatio, static_cast<QWidget*>(ui().lblAlink)}})
        EXPECT_GE(label->x() - (figure->geometry().right() + 1), 3)
            << figure->objectName().toStdString();

    // A mark is drawn in its colour; its tooltip in the tooltip's own.
    if (QGuiApplication::platformName() == QStringLiteral("minimal"))
        GTEST_SKIP() << "the minimal platform (Windows tests under Wine) shows no tooltip";
    window->show();
    ui().PageControl1->setCurrentIndex(0);
    QLabel* mark = ui().lblTextLevel;
    QToolTip::showText(mark->mapToGlobal(QPoint(2, 2)), mark->toolTip(), mark);
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            tip = w;
    ASSERT_NE(tip, nullptr);
    tip->ensurePolished();
    EXPECT_NE(tip->palette().color(QPalette::WindowText),
              mark->palette().color(QPalette::WindowText));
    QToolTip::hideText();
}

TEST_F(LookTest, TheFrameAroundCreateHoldsTheButtonWhole) {
    window->show();
    const QTabBar* bar = ui().PageControl4->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    const QRect tab(bar->mapTo(ui().pnlMain, bar->tabRect(0).topLeft()), bar->tabRect(0).size());
    const QRect button = ui().Panel12->geometry();
    EXPECT_LT(tab.left(), button.left());
    EXPECT_GT(tab.right(), button.right()) << "the tab ends at " << tab.right();
}
