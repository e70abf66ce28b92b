#include "gradient/Pictures.h"

#include "ClickablePanel.h"
#include "MarkerOverlay.h"
#include "PictureBox.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using tinsora::ColorRGB;

namespace {

ColorRGB PixelAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return ColorRGB{qRed(p), qGreen(p), qBlue(p)};
}

} // namespace

class PicturesTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
};

TEST_F(PicturesTest, PicturesAreDrawnAtStartUpWithTheInitialColours) {
    const QImage& map = ui().imgBasGrad->image();
    ASSERT_EQ(map.size(), QSize(201, 30));
    EXPECT_EQ(PixelAt(map, 16, 15), (ColorRGB{255, 123, 0}));
    EXPECT_EQ(PixelAt(map, 0, 29), (ColorRGB{17, 0, 0}));
    EXPECT_EQ(PixelAt(map, 197, 15), (ColorRGB{255, 0, 7}));
    const QImage& square = ui().imgRectGrad->image();
    ASSERT_EQ(square.size(), QSize(71, 71));
    EXPECT_EQ(PixelAt(square, 70, 0), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(PixelAt(square, 10, 60), (ColorRGB{36, 192, 36}));
    const QImage& strip = ui().img4Grad->image();
    ASSERT_EQ(strip.size(), QSize(239, 15));
    EXPECT_EQ(PixelAt(strip, 119, 7), (ColorRGB{255, 126, 126}));
    EXPECT_EQ(tinsora::UnpackColor(ui().pnlCol4->color()), (ColorRGB{0, 0, 255}));
}

TEST_F(PicturesTest, ClickOnTheMapPicksItsColourAndMovesTheMarker) {
    QTest::mouseClick(ui().picBasGrad, Qt::LeftButton, {}, QPoint(16, 15));
    EXPECT_EQ(Current(), (ColorRGB{255, 123, 0}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : #FF7B00]"));
    EXPECT_EQ(ui().picBasGrad->marker(), QPoint(16, 15));
    EXPECT_EQ(PixelAt(ui().imgBasGrad->image(), 16, 15), (ColorRGB{255, 123, 0}))
        << "the marker is never drawn into the map";

    QSignalSpy moved(ui().ScrollBarR, &QScrollBar::valueChanged);
    QTest::mouseClick(ui().picBasGrad, Qt::LeftButton, {}, QPoint(16, 15));
    EXPECT_EQ(moved.count(), 0) << "the same colour moves no bar";
}

TEST_F(PicturesTest, DraggingPastTheEdgesPicksBlackAndTheRedColumn) {
    QTest::mousePress(ui().picBasGrad, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseMove(ui().picBasGrad, QPoint(80, 60)); // below the map
    EXPECT_EQ(Current(), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(ui().picBasGrad->marker(), QPoint(80, 30));
    QTest::mouseMove(ui().picBasGrad, QPoint(400, 15)); // right of it
    EXPECT_EQ(Current(), (ColorRGB{255, 0, 0}));
    QTest::mouseMove(ui().picBasGrad, QPoint(-20, -20)); // above and left
    EXPECT_EQ(Current(), (ColorRGB{255, 255, 255}));
    QTest::mouseRelease(ui().picBasGrad, Qt::LeftButton, {}, QPoint(-20, -20));
    QTest::mouseMove(ui().picBasGrad, QPoint(16, 15)); // no button held
    EXPECT_EQ(Current(), (ColorRGB{255, 255, 255}));
}

TEST_F(PicturesTest, SquareAndStripPicksFillTheInformationBoxOnly) {
    QTest::mouseClick(ui().pnlGraColor, Qt::LeftButton);
    EXPECT_EQ(Current(), (ColorRGB{15, 0, 0})) << "the untouched swatch is the face colour";

    SetColor(1, 2, 3);
    QTest::mousePress(ui().picRectGrad, Qt::LeftButton, {}, QPoint(35, 35));
    EXPECT_EQ(ui().lblHex3->text(), "#7F7F7F");
    EXPECT_EQ(ui().lblRn3->text(), "R( 127 )");
    EXPECT_EQ(Current(), (ColorRGB{1, 2, 3}));
    QTest::mouseMove(ui().picRectGrad, QPoint(200, 200));
    EXPECT_EQ(ui().lblHex3->text(), "#0000FF");
    EXPECT_EQ(ui().picRectGrad->marker(), QPoint(70, 70));
    QTest::mouseRelease(ui().picRectGrad, Qt::LeftButton, {}, QPoint(200, 200));

    ui().mnuOptionSharp->trigger(); // the box writes a blank instead of "#"
    QTest::mouseClick(ui().img4Grad, Qt::LeftButton, {}, QPoint(238, 3));
    EXPECT_EQ(ui().lblHex3->text(), " FFFDFD");
    EXPECT_EQ(ui().lblGn3->text(), "G( 253 )");
    EXPECT_EQ(ui().picRectGrad->marker(), QPoint(70, 70)) << "strip picks leave the marker";
    QTest::mouseClick(ui().pnlGraColor, Qt::LeftButton);
    EXPECT_EQ(Current(), (ColorRGB{255, 253, 253}));
}

TEST_F(PicturesTest, CornerPressMoveOffAndReleaseAssignsAndRedraws) {
    SetColor(0, 0, 0);
    QTest::mousePress(ui().pnlCol2, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(ui().pnlCol2->frameShadow(), QFrame::Sunken);
    QTest::mouseRelease(ui().pnlCol2, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(ui().pnlCol2->frameShadow(), QFrame::Raised);
    EXPECT_EQ(tinsora::UnpackColor(ui().pnlCol2->color()), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(PixelAt(ui().imgRectGrad->image(), 70, 0), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(PixelAt(ui().imgRectGrad->image(), 35, 0), (ColorRGB{127, 0, 0}));
    EXPECT_EQ(PixelAt(ui().img4Grad->image(), 238, 0),
              tinsora::StripColor(238, 1,
                                  {ColorRGB{255, 0, 0}, ColorRGB{0, 0, 0}, ColorRGB{0, 255, 0},
                                   ColorRGB{0, 0, 255}}));
}

TEST_F(PicturesTest, ColourCountBoxSetsTheStripSegments) {
    const auto stripAt = [&](int x) { return PixelAt(ui().img4Grad->image(), x, 0); };
    QComboBox* count = ui().cmbColorIndex;
    count->setCurrentText("5");
    EXPECT_EQ(stripAt(237), (ColorRGB{0, 0, 255})) << "more than four counts as four";
    count->setCurrentText("3");
    EXPECT_EQ(stripAt(119), (ColorRGB{255, 255, 255}));
    EXPECT_EQ(stripAt(238), (ColorRGB{0, 255, 0}));
    count->setCurrentText("");
    EXPECT_EQ(stripAt(238), (ColorRGB{0, 255, 0})) << "an empty text changes nothing";
    count->setCurrentText("1");
    EXPECT_EQ(stripAt(238), (ColorRGB{255, 253, 253}));
    count->setCurrentText("x");
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("'x' は整数ではありません."));
    EXPECT_EQ(stripAt(238), (ColorRGB{255, 253, 253}));
}

TEST_F(PicturesTest, EnterInTheColourCountKeepsTheThreeItems) {
    QComboBox* count = ui().cmbColorIndex;
    for (const char* typed : {"5", "7", "x"}) {
        count->lineEdit()->selectAll();
        QTest::keyClicks(count->lineEdit(), QLatin1String(typed));
        QTest::keyClick(count->lineEdit(), Qt::Key_Return);
    }
    ASSERT_EQ(count->count(), 3);
    EXPECT_EQ(count->itemText(0), "2");
    EXPECT_EQ(count->itemText(1), "3");
    EXPECT_EQ(count->itemText(2), "4");
    EXPECT_EQ(services.errors, QStringList{QStringLiteral("'x' は整数ではありません.")});
}

TEST_F(PicturesTest, TheSquaresPanelHidesTheCornersBehindItInTheFaceColour) {
    // Pixels of the bordered panel that the square leaves free: its right
    // column and bottom row inside the border.
    QWidget* panel = ui().pnlRectGradation;
    const QImage page = ui().Panel8->grab().toImage();
    const QColor face = panel->palette().color(QPalette::Window);
    const QPoint at = panel->pos();
    const int inner = panel->width() - 2; // the column and row just inside the border
    for (int k = 1; k <= inner; ++k) {
        EXPECT_EQ(page.pixelColor(at + QPoint(inner, k)), face) << "column, row " << k;
        EXPECT_EQ(page.pixelColor(at + QPoint(k, inner)), face) << "row, column " << k;
    }
}
