// The main window and the version window on a real X server, driven by real
// input events (xdotool) and read back from the server (xprop): what a window
// manager is asked for, and where the keyboard goes.

#include "Application.h"
#include "Texts.h"
#include "Unit2.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <functional>

namespace {

// _MOTIF_WM_HINTS: which fields are given, and the bits of the window
// manager's functions and decorations.
constexpr unsigned kHintsFunctions = 1, kHintsDecorations = 2;
constexpr unsigned kFuncResize = 2, kFuncMove = 4, kFuncMinimize = 8, kFuncMaximize = 16,
                   kFuncClose = 32;
constexpr unsigned kDecorBorder = 2, kDecorResize = 4, kDecorTitle = 8, kDecorMenu = 16,
                   kDecorMinimize = 32, kDecorMaximize = 64;

QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Real input: xdotool sends it through the X server to the focused window.
void Xdotool(const QStringList& arguments) {
    Run(QStringLiteral("xdotool"), arguments);
}

struct MotifHints {
    unsigned flags = 0, functions = 0, decorations = 0;
};

MotifHints ReadMotifHints(const QWidget& window) {
    const QString out =
        Run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                      QStringLiteral("_MOTIF_WM_HINTS")});
    // _MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x2c, 0x3a, 0x0, 0x0
    const QStringList values = out.section('=', 1).split(',', Qt::SkipEmptyParts);
    MotifHints h;
    if (values.size() < 3) {
        ADD_FAILURE() << "no _MOTIF_WM_HINTS: " << out.toStdString();
        return h;
    }
    h.flags = values[0].trimmed().toUInt(nullptr, 16);
    h.functions = values[1].trimmed().toUInt(nullptr, 16);
    h.decorations = values[2].trimmed().toUInt(nullptr, 16);
    return h;
}

bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace

class X11Test : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run on an X server";
        Open();
        window->move(40, 30);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void Key(const char* keys) {
        Xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QLatin1String(keys)});
    }
};

TEST_F(X11Test, MainWindowAsksForAFixedBorderAMinimiseBoxAndNoMaximiseBox) {
    for (int round = 0; round < 3; ++round) {
        const MotifHints h = ReadMotifHints(*window);
        EXPECT_EQ(h.flags & (kHintsFunctions | kHintsDecorations),
                  kHintsFunctions | kHintsDecorations);
        EXPECT_EQ(h.functions, kFuncMove | kFuncMinimize | kFuncClose) << "round " << round;
        EXPECT_EQ(h.decorations, kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize)
            << "round " << round;
        EXPECT_FALSE(h.functions & (kFuncResize | kFuncMaximize));
        EXPECT_FALSE(h.decorations & (kDecorResize | kDecorMaximize));
        ui().N4->trigger(); // the window made anew keeps its frame
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
}

TEST_F(X11Test, VersionWindowAsksForACaptionWithoutButtons) {
    TfrmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    const MotifHints h = ReadMotifHints(about);
    EXPECT_EQ(h.flags & (kHintsFunctions | kHintsDecorations), kHintsFunctions | kHintsDecorations);
    EXPECT_EQ(h.functions, kFuncMove);
    EXPECT_EQ(h.decorations, kDecorBorder | kDecorTitle);
}

TEST_F(X11Test, ArrowKeysMoveTheRedBarTheWayTheyPoint) {
    QScrollBar* bar = ui().ScrollBarR;
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->value();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QRect addLine = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                       QStyle::SC_ScrollBarAddLine, bar);
    const QPoint at = bar->mapToGlobal(addLine.center());
    Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(WaitFor([&] { return bar->value() == 1; })) << bar->value();
    ASSERT_EQ(QApplication::focusWidget(), bar);
    struct Step {
        const char* key;
        int value;
    };
    for (const Step& s :
         {Step{"Right", 2}, Step{"Right", 3}, Step{"Left", 2}, Step{"Down", 3}, Step{"Up", 2},
          Step{"Next", 12}, Step{"Prior", 2}, Step{"End", 255}, Step{"Home", 0}}) {
        Key(s.key);
        EXPECT_TRUE(WaitFor([&] { return bar->value() == s.value; }))
            << s.key << ": " << bar->value() << " instead of " << s.value;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : #000000]"));
}

TEST_F(X11Test, StayOnTopKeepsTheKeyboardPositionAndSize) {
    ui().edtRn->setFocus();
    const QRect frame = window->frameGeometry();
    const QSize size = window->size();
    Key("ctrl+t");
    ASSERT_TRUE(WaitFor([&] { return ui().N4->isChecked(); }));
    EXPECT_TRUE(WaitFor([&] { return window->isActiveWindow(); })) << "the window stays active";
    EXPECT_EQ(QApplication::focusWidget(), ui().edtRn);
    EXPECT_EQ(window->frameGeometry(), frame);
    EXPECT_EQ(window->size(), size);

    // Shortcuts and typing reach the window at once, without a click.
    Key("ctrl+s");
    EXPECT_TRUE(WaitFor([&] { return window->currentWindowType() == TfrmMain::wtMin; }));
    Key("BackSpace");
    Key("7");
    EXPECT_TRUE(WaitFor([&] { return ui().ScrollBarR->value() == 7; })) << "typed into 10 R";
    Key("ctrl+t");
    ASSERT_TRUE(WaitFor([&] { return !ui().N4->isChecked(); }));
    // The window is made anew each time: a key pressed before the window system has shown
    // it again (a few milliseconds) has no window to go to.
    EXPECT_TRUE(WaitFor([&] { return window->isActiveWindow(); })) << "the window stays active";
    EXPECT_EQ(QApplication::focusWidget(), ui().edtRn);
    Key("ctrl+l");
    EXPECT_TRUE(WaitFor([&] { return window->currentWindowType() == TfrmMain::wtMax; }));
    EXPECT_EQ(window->frameGeometry().topLeft(), frame.topLeft());
}

// X11 keeps a window's place in 16 bits: a stored position of 40000 would put the window at
// -25536, where no one could reach it. The window is placed where the X server can show it.
TEST_F(WindowTest, AStoredPositionOffEveryScreenLeavesTheWindowOnTheScreen) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run on an X server";
    services.screenPlaces = services.DesktopServices::screenAreas(); // the X server's own
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const QPoint stored : {QPoint(40000, 100), QPoint(-3000, 5000), QPoint(100, -3000)}) {
        {
            QSettings s = Settings();
            s.setValue("Left", QString::number(stored.x()));
            s.setValue("Top", QString::number(stored.y()));
        }
        Open();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // Where the X server has the window: "Position: 0,0 (screen: 0)".
        const QString geometry =
            ::Run(QStringLiteral("xdotool"),
                  {QStringLiteral("getwindowgeometry"), QString::number(window->winId())});
        const QRegularExpressionMatch at =
            QRegularExpression(QStringLiteral("Position: (-?\\d+),(-?\\d+)")).match(geometry);
        ASSERT_TRUE(at.hasMatch()) << geometry.toStdString();
        EXPECT_TRUE(screen.contains(QPoint(at.captured(1).toInt(), at.captured(2).toInt())))
            << stored.x() << "," << stored.y() << ": " << geometry.toStdString();
        Close();
    }
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app);
    SetLanguage(tinsora::Language::Japanese); // the texts asserted and the places known
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
