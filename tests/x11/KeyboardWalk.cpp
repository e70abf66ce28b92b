// A walk through the window with the keyboard alone, on a real X server with a
// window manager (openbox), the keys sent through the server (xdotool), the
// desktop's own clipboard and save dialog: from start-up, a colour set, gradient
// text and a table made, the pane copied and saved, and every menu opened and
// closed by its access key, the pane's text untouched by every key with Alt.

#include "Application.h"
#include "HtmlTextView.h"
#include "QtDesktopServices.h"
#include "Texts.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

// xdotool's run, with the window answering meanwhile: a program that reads the
// clipboard waits for this process, which owns it.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    const bool ended = QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000);
    if (!ended || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

void Keys(const QStringList& keys) {
    RunTool(QStringLiteral("xdotool"),
            QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + keys);
}

void Type(const QString& text) {
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
    return QTest::qWaitFor(condition, ms);
}

QString Focused() {
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

} // namespace

class KeyboardWalk : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run on an X server";
        window = std::make_unique<TfrmMain>(desktop);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << "the window manager activates it";
    }

    // Presses Tab until widget has the keyboard; false after a whole round.
    bool TabTo(const QWidget* widget) {
        for (int k = 0; k < 120 && QApplication::focusWidget() != widget; ++k) {
            const QWidget* before = QApplication::focusWidget();
            Keys({QStringLiteral("Tab")});
            WaitFor([&] { return QApplication::focusWidget() != before; }, 2000);
        }
        return QApplication::focusWidget() == widget;
    }

    // Runs keys once a modal dialog has the keyboard: sent while it waits for them.
    void WhenDialogAsks(const QStringList& keys, const QString& typed) {
        auto* timer = new QTimer(window.get());
        timer->setInterval(50);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, keys, typed] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isActiveWindow() || !QApplication::focusWidget())
                return;
            timer->stop();
            timer->deleteLater();
            Type(typed);
            Keys(keys);
        });
        timer->start();
    }

    QString PaneText() { return ui().txtHTML->toPlainText(); }

    QtDesktopServices desktop;
};

TEST_F(KeyboardWalk, FromStartUpWithKeysOnly) {
    // The keyboard starts on the red bar.
    ASSERT_EQ(Focused(), "ScrollBarR");

    // A colour: red to its end, green typed in its decimal box.
    Keys({QStringLiteral("End")});
    ASSERT_TRUE(TabTo(ui().edtGn));
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("128"));
    EXPECT_TRUE(WaitFor([&] {
        return window->windowTitle() == QStringLiteral("ティンソラ [16進数 : #FF8000]");
    })) << window->windowTitle().toStdString();

    // Gradient text: typed into its box, made with Enter.
    ASSERT_EQ(ui().PageControl1->currentIndex(), 1);
    ASSERT_TRUE(TabTo(ui().edtGraText)) << Focused().toStdString();
    Type(QStringLiteral("Tinsora"));
    Keys({QStringLiteral("Return")});
    EXPECT_TRUE(WaitFor([&] { return PaneText().contains(QStringLiteral(">T</FONT>")); }))
        << PaneText().toStdString();

    // A table: its page chosen on the tab bar, its counts typed, 作成 pressed.
    ASSERT_TRUE(TabTo(ui().PageControl1->tabBar()));
    Keys({QStringLiteral("Right"), QStringLiteral("Right")});
    ASSERT_TRUE(WaitFor([&] { return ui().PageControl1->currentIndex() == 3; }));
    ASSERT_TRUE(TabTo(ui().edtTD));
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("12"));
    Keys({QStringLiteral("Tab"), QStringLiteral("ctrl+a")});
    Type(QStringLiteral("10"));
    ASSERT_TRUE(TabTo(ui().SpeedButton2));
    Keys({QStringLiteral("space")});
    ASSERT_TRUE(WaitFor([&] { return PaneText().startsWith(QStringLiteral("<TABLE")); }, 20000))
        << PaneText().left(100).toStdString();
    EXPECT_EQ(PaneText().count(QStringLiteral("<TD ")), 120);

    // コピー: the pane's text on the desktop's clipboard, as another program reads it.
    ASSERT_TRUE(TabTo(ui().btnClipCopyHTML));
    Keys({QStringLiteral("space")});
    QTest::qWait(200);
    const QString copied =
        RunTool(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    EXPECT_EQ(copied, QString::fromUtf8(ui().txtHTML->utf8CrLf(0, ui().txtHTML->byteCount())));

    // HTMLを保存 on its shortcut: the save dialog answered with keys.
    const QString saved = workDir.filePath(QStringLiteral("walk.html"));
    WhenDialogAsks({QStringLiteral("Return")}, saved);
    Keys({QStringLiteral("ctrl+shift+s")});
    EXPECT_TRUE(WaitFor(
        [&] {
            QFile file(saved);
            return !window->runInProgress() && file.open(QIODevice::ReadOnly) &&
                   file.readAll() == ui().txtHTML->utf8CrLf(0, ui().txtHTML->byteCount());
        },
        20000))
        << "the saved file holds the pane's text";

    // Every menu and submenu by its access key, from the pane; Escape closes
    // each, and the pane's text is what it was.
    ASSERT_TRUE(TabTo(ui().txtHTML));
    const QString before = PaneText();
    struct Menu {
        QStringList keys;
        QMenu* menu;
    };
    const Menu menus[] = {
        {{QStringLiteral("alt+f")}, ui().File1},
        {{QStringLiteral("alt+f"), QStringLiteral("c")}, ui().mnuColorCopy},
        {{QStringLiteral("alt+v")}, ui().Edit1},
        {{QStringLiteral("alt+v"), QStringLiteral("c")}, ui().N14},
        {{QStringLiteral("alt+v"), QStringLiteral("w")}, ui().N6},
        {{QStringLiteral("alt+v"), QStringLiteral("p")}, ui().mnuWindowPosition},
        {{QStringLiteral("alt+v"), QStringLiteral("o")}, ui().mnuOutputStyle},
        {{QStringLiteral("alt+h")}, ui().Help1},
    };
    for (const Menu& m : menus) {
        Keys(m.keys);
        EXPECT_TRUE(WaitFor([&] { return QApplication::activePopupWidget() == m.menu; }))
            << m.keys.join(' ').toStdString() << " did not open " << m.menu->title().toStdString();
        // Escape closes the menus one by one, and then leaves the menu bar.
        for (int k = 0; k < 3 && QApplication::focusWidget() != ui().txtHTML; ++k) {
            Keys({QStringLiteral("Escape")});
            QTest::qWait(100);
        }
        EXPECT_TRUE(WaitFor([&] {
            return !QApplication::activePopupWidget() &&
                   QApplication::focusWidget() == ui().txtHTML;
        })) << m.keys.join(' ').toStdString()
            << ": the keyboard is back in the pane, not in " << Focused().toStdString();
    }
    // Keys with Alt that open nothing, and the menu key (the pane's own menu).
    Keys({QStringLiteral("alt+q"), QStringLiteral("alt+1"), QStringLiteral("alt+shift+t")});
    // The pane's menu runs a loop of its own: Escape is sent from within it.
    bool menuShown = false;
    auto* escape = new QTimer(window.get());
    escape->setInterval(50);
    QObject::connect(escape, &QTimer::timeout, escape, [&menuShown, escape] {
        if (!QApplication::activePopupWidget())
            return;
        menuShown = true;
        escape->stop();
        Keys({QStringLiteral("Escape")});
    });
    escape->start();
    Keys({QStringLiteral("Menu")});
    EXPECT_TRUE(WaitFor([&] { return menuShown && !QApplication::activePopupWidget(); }))
        << "the menu key opens the pane's menu, and Escape closes it";
    QTest::qWait(100);
    EXPECT_EQ(PaneText(), before) << "keys with Alt typed into the pane";
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app);
    SetLanguage(tinsora::Language::Japanese); // the texts asserted and the places known
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
