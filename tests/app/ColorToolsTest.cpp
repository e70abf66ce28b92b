// The colour tools of the window: the CSS notations, the contrast marks of the
// BODY page and the screen eyedropper, driven through scripted screens.

#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

QString Caption(TfrmMain& w) {
    return w.windowTitle();
}

std::vector<QWidget*> PickWindows() {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("EyedropperScreen") && w->isVisible())
            found.push_back(w);
    std::sort(found.begin(), found.end(),
              [](QWidget* a, QWidget* b) { return a->geometry().x() < b->geometry().x(); });
    return found;
}

void Mouse(QWidget* w, QEvent::Type type, const QPointF& global,
           Qt::MouseButton button = Qt::NoButton) {
    const QPointF local = global - QPointF(w->geometry().topLeft());
    QMouseEvent event(type, local, global, button,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A picture whose every pixel has its own colour: red and green from the
// place, blue naming the screen.
QImage Numbered(int width, int height, int blue) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xff, y & 0xff, blue));
    return image;
}

class ColorToolsTest : public WindowTest {
protected:
    // A screen at scale 1 and, to its right, one at scale 2.
    void ScriptTwoScreens() {
        services.screens = {{QRect(0, 0, 200, 100), 1.0, Numbered(200, 100, 10)},
                            {QRect(200, 0, 100, 50), 2.0, Numbered(200, 100, 20)}};
        services.pointer = QPointF(50, 40);
    }
    // The order in which the bars took the last colour.
    void RecordBars() {
        for (QScrollBar* bar : {ui().ScrollBarR, ui().ScrollBarG, ui().ScrollBarB})
            QObject::connect(bar, &QScrollBar::valueChanged, bar,
                             [this, bar] { barOrder.push_back(bar->objectName()); });
    }
    std::vector<QString> barOrder;
};

} // namespace

TEST_F(ColorToolsTest, CssNotationsShowCopyAndLeaveTheOthersAlone) {
    TfrmMain& w = Open();
    SetColor(255, 128, 0);
    ui().mnuColTypeCssRgb->trigger();
    EXPECT_EQ(Caption(w), QStringLiteral("ティンソラ [CSS : rgb(255 128 0)]"));
    EXPECT_EQ(ui().lblHex->text(), QStringLiteral("rgb(255 128 0)"));
    EXPECT_TRUE(ui().mnuColTypeCssRgb->isChecked());
    EXPECT_FALSE(ui().mnuColTypeHex->isChecked());

    ui().mnuColTypeCssHsl->trigger();
    EXPECT_EQ(Caption(w), QStringLiteral("ティンソラ [CSS : hsl(30 100% 50%)]"));
    EXPECT_FALSE(ui().mnuColTypeCssRgb->isChecked());
    // A new colour is shown in the chosen notation; "#" does not touch it.
    ui().mnuOptionSharp->trigger();
    SetColor(0, 128, 0);
    EXPECT_EQ(ui().lblHex->text(), QStringLiteral("hsl(120 100% 25%)"));

    ui().CSSRgb1->trigger();
    EXPECT_EQ(services.clipboard, QStringLiteral("rgb(0 128 0)"));
    ui().CSSHsl1->trigger();
    EXPECT_EQ(services.clipboard, QStringLiteral("hsl(120 100% 25%)"));
    ui().btnColorCopy->click();
    EXPECT_EQ(services.clipboard, QStringLiteral("hsl(120 100% 25%)"));

    // The four notations of old are as they were.
    ui().mnuColTypeVB->trigger();
    EXPECT_EQ(Caption(w), QStringLiteral("ティンソラ [VisualBasic : &H00008000&]"));
    EXPECT_FALSE(ui().mnuColTypeCssHsl->isChecked());
    ui().N16HTML1->trigger();
    EXPECT_EQ(services.clipboard, QStringLiteral("008000")); // "#" was turned off above

    // The items follow the four in both menus.
    const QList<QAction*> types = ui().N14->actions();
    ASSERT_EQ(types.size(), 6);
    EXPECT_EQ(types[4], ui().mnuColTypeCssRgb);
    EXPECT_EQ(types[5], ui().mnuColTypeCssHsl);
    const QList<QAction*> copies = ui().btnColorCopy->menu()->actions();
    ASSERT_EQ(copies.size(), 6);
    EXPECT_EQ(copies[4]->text(), QStringLiteral("CSS rgb()(&G)"));
    EXPECT_EQ(copies[5]->text(), QStringLiteral("CSS hsl()(&S)"));
}

TEST_F(ColorToolsTest, ContrastMarksFollowEveryLabelClick) {
    Open();
    ui().PageControl1->setCurrentIndex(0);
    // At start: black on white everywhere.
    for (QLabel* ratio :
         {ui().lblTextRatio, ui().lblLinkRatio, ui().lblVlinkRatio, ui().lblAlinkRatio})
        EXPECT_EQ(ratio->text(), QStringLiteral("21.00"));
    EXPECT_EQ(ui().lblTextLevel->text(), QStringLiteral("AAA"));

    SetColor(0x77, 0x77, 0x77);
    QTest::mouseClick(ui().lblLink, Qt::LeftButton);
    EXPECT_EQ(ui().lblLinkRatio->text(), QStringLiteral("4.47"));
    EXPECT_EQ(ui().lblLinkLevel->text(), QStringLiteral("AA大"));
    EXPECT_TRUE(ui().lblLinkLevel->toolTip().contains(QStringLiteral("4.47:1")));
    EXPECT_TRUE(ui().lblLinkLevel->toolTip().contains(
        QStringLiteral("通常の文字の AA（4.5:1 以上）を満たしません。")));
    EXPECT_TRUE(ui().lblLinkLevel->toolTip().contains(
        QStringLiteral("大きな文字の AA（3:1 以上）を満たします。")));
    EXPECT_EQ(ui().lblTextRatio->text(), QStringLiteral("21.00")); // the others stay

    SetColor(0x76, 0x76, 0x76);
    QTest::mouseClick(ui().lblVlink, Qt::LeftButton);
    EXPECT_EQ(ui().lblVlinkRatio->text(), QStringLiteral("4.54"));
    EXPECT_EQ(ui().lblVlinkLevel->text(), QStringLiteral("AA"));

    // A new background changes all four.
    SetColor(0, 0, 0);
    QTest::mouseClick(ui().lblBgcolor, Qt::LeftButton);
    EXPECT_EQ(ui().lblTextRatio->text(), QStringLiteral("1.00"));
    EXPECT_EQ(ui().lblTextLevel->text(), QStringLiteral("×"));
    EXPECT_EQ(ui().lblLinkRatio->text(), QStringLiteral("4.68"));
    EXPECT_EQ(ui().lblAlinkLevel->text(), QStringLiteral("×"));
}

TEST_F(ColorToolsTest, TheEyedropperTakesTheDevicePixelUnderThePointer) {
    ScriptTwoScreens();
    TfrmMain& w = Open();
    RecordBars();
    ui().mnuEyedropper->trigger();
    const auto windows = PickWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1]->geometry(), QRect(200, 0, 100, 50));

    // Logical (210, 5) on the screen at scale 2 is its device pixel (20, 10).
    Mouse(windows[0], QEvent::MouseMove, QPointF(210, 5));
    QTest::keyClick(windows[0], Qt::Key_Right); // pixel 21: no whole logical point is on it
    EXPECT_TRUE(services.pointerMoves.empty());
    QTest::keyClick(windows[0], Qt::Key_Right); // pixel 22: the point 211, 5 is
    ASSERT_EQ(services.pointerMoves.size(), 1u);
    EXPECT_EQ(services.pointerMoves.back(), QPoint(211, 5));
    Mouse(windows[0], QEvent::MouseMove, QPointF(211, 5)); // the echo of the pointer put there
    QTest::keyClick(windows[0], Qt::Key_Down);
    QTest::keyClick(windows[0], Qt::Key_Return);

    EXPECT_EQ(Current(), (tinsora::ColorRGB{22, 11, 20}));
    EXPECT_EQ(Caption(w), QStringLiteral("ティンソラ [16進数 : #160B14]"));
    EXPECT_EQ(barOrder, (std::vector<QString>{"ScrollBarR", "ScrollBarG", "ScrollBarB"}));
    EXPECT_TRUE(PickWindows().empty());
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(ColorToolsTest, AClickTakesAndEscapeOrARightClickCancels) {
    ScriptTwoScreens();
    TfrmMain& w = Open();
    SetColor(1, 2, 3);
    const QString before = Caption(w);

    ui().mnuEyedropper->trigger();
    auto windows = PickWindows();
    ASSERT_EQ(windows.size(), 2u);
    Mouse(windows[0], QEvent::MouseMove, QPointF(120, 30));
    QTest::keyClick(windows[0], Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(windows[0], Qt::Key_Escape);
    EXPECT_EQ(Current(), (tinsora::ColorRGB{1, 2, 3}));
    EXPECT_EQ(Caption(w), before);
    EXPECT_TRUE(PickWindows().empty());

    ui().tbtnEyedropper->click();
    windows = PickWindows();
    ASSERT_EQ(windows.size(), 2u);
    Mouse(windows[0], QEvent::MouseMove, QPointF(120, 30));
    Mouse(windows[0], QEvent::MouseButtonPress, QPointF(120, 30), Qt::RightButton);
    EXPECT_EQ(Current(), (tinsora::ColorRGB{1, 2, 3}));
    EXPECT_TRUE(PickWindows().empty());

    EXPECT_EQ(ui().mnuEyedropper->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    windows = PickWindows();
    ASSERT_EQ(windows.size(), 2u);
    Mouse(windows[0], QEvent::MouseButtonPress, QPointF(199, 99), Qt::LeftButton);
    EXPECT_EQ(Current(), (tinsora::ColorRGB{199, 99, 10}));
}

TEST_F(ColorToolsTest, TheMagnifierShowsTheCellsAroundThePointerNotItself) {
    services.screens = {{QRect(0, 0, 200, 150), 1.0, Numbered(200, 150, 30)}};
    services.pointer = QPointF(0, 0);
    Open();
    ui().mnuEyedropper->trigger();
    const auto windows = PickWindows();
    ASSERT_EQ(windows.size(), 1u);
    // At the top left corner the magnifier stands below right of the pointer,
    // its cells 9 pixels wide from (16, 16); left of and above the centre they
    // lie beyond the screen.
    Mouse(windows[0], QEvent::MouseMove, QPointF(0, 0));
    const QImage shown = windows[0]->grab().toImage();
    const auto cellColor = [&shown](int column, int row) {
        return QColor(shown.pixel(16 + column * 9 + 4, 16 + row * 9 + 4));
    };
    EXPECT_EQ(cellColor(5, 5), QColor(0, 0, 30));
    EXPECT_EQ(cellColor(10, 7), QColor(5, 2, 30));
    EXPECT_NE(cellColor(4, 5).blue(), 30); // beyond the screen: hatched, no pixel
    EXPECT_NE(cellColor(5, 4).blue(), 30);
    // Where the magnifier stands the screen shows it, but a pick there takes
    // the screen's own pixel.
    Mouse(windows[0], QEvent::MouseMove, QPointF(60, 60));
    Mouse(windows[0], QEvent::MouseButtonPress, QPointF(60, 60), Qt::LeftButton);
    EXPECT_EQ(Current(), (tinsora::ColorRGB{60, 60, 30}));
}

TEST_F(ColorToolsTest, WithoutAScreenToReadTheDesktopPicksOrTheUserIsTold) {
    TfrmMain& w = Open();
    SetColor(9, 9, 9);
    ui().mnuEyedropper->trigger();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0],
              QStringLiteral("画面から色を取ることができません。この環境では画面を読み取ることも、"
                             "デスクトップに色を取ってもらうこともできません."));
    EXPECT_EQ(Current(), (tinsora::ColorRGB{9, 9, 9}));

    services.desktopPickAvailable = true;
    ui().mnuEyedropper->trigger();
    ASSERT_TRUE(services.desktopPickDone);
    services.desktopPickDone(std::nullopt, {}); // cancelled
    EXPECT_EQ(Current(), (tinsora::ColorRGB{9, 9, 9}));
    services.desktopPickDone(QColor(255, 128, 0), {});
    EXPECT_EQ(Current(), (tinsora::ColorRGB{255, 128, 0}));
    EXPECT_EQ(Caption(w), QStringLiteral("ティンソラ [16進数 : #FF8000]"));
    services.desktopPickDone(std::nullopt, QStringLiteral("失敗"));
    EXPECT_EQ(services.errors.size(), 2);
    EXPECT_EQ(Current(), (tinsora::ColorRGB{255, 128, 0}));
}
