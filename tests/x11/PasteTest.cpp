// Pasting into every text box of the window on a real X server, with real key
// presses and clicks (xdotool), while no program owns the clipboard and while
// one owns it with a picture and no text: nothing is inserted and nothing
// breaks. Where the program comes from, an empty clipboard pastes nothing.

#include "DesktopServices.h"
#include "HtmlTextView.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QStackedWidget>
#include <QTest>
#include <functional>

namespace {

void Xdotool(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        ADD_FAILURE() << "xdotool " << arguments.join(' ').toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
}

// A click into widget, Ctrl+V, Shift+Insert and a middle click (X's selection), in
// one go: the X server hands them over in this order.
void PasteInto(const QWidget* widget, const QPoint& local) {
    const QPoint at = widget->mapToGlobal(local);
    const QString noDelay = QStringLiteral("--delay=1");
    Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), noDelay, QStringLiteral("1"), QStringLiteral("key"),
             QStringLiteral("--clearmodifiers"), QStringLiteral("ctrl+v"),
             QStringLiteral("shift+Insert"), QStringLiteral("click"), noDelay,
             QStringLiteral("2")});
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

// The scripted services of the window tests, but the desktop's own clipboard.
class RealClipboard final : public PartlyRealServices {
public:
    using PartlyRealServices::PartlyRealServices;
    void setClipboardText(const QString& text) override { desktop.setClipboardText(text); }
    void setClipboardUtf8(const QByteArray& utf8) override { desktop.setClipboardUtf8(utf8); }
    std::optional<QString> clipboardText() override { return desktop.clipboardText(); }
    bool clipboardHasText() override { return desktop.clipboardHasText(); }
    int screenWidth() override { return desktop.screenWidth(); }
};

} // namespace

class X11PasteTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run on an X server";
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
        window = std::make_unique<TfrmMain>(desktop);
        window->move(40, 30);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        if (owner.state() != QProcess::NotRunning) {
            owner.kill();
            owner.waitForFinished(5000);
        }
        WindowTest::TearDown();
    }

    // Shows the page that holds widget, in every page control around it.
    void ShowPageOf(QWidget* widget) {
        for (QWidget* w = widget; w && w != window.get(); w = w->parentWidget())
            if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget()))
                stack->setCurrentWidget(w);
        QTest::qWait(20);
    }

    // Pastes into the pane and every text box the user can reach; each keeps its text.
    void PasteEverywhere() {
        HtmlTextView* pane = ui().txtHTML;
        pane->setPlainText(QStringLiteral("kept"));
        PasteInto(pane->viewport(), QPoint(30, 8));
        EXPECT_TRUE(WaitFor([&] { return pane->hasFocus(); }));
        QTest::qWait(100);
        EXPECT_EQ(pane->toPlainText(), QStringLiteral("kept"));

        pane->showFindBar(); // its field is a text box too
        int boxes = 0;
        for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
            ShowPageOf(edit);
            if (!edit->isVisible() || !edit->isEnabled())
                continue;
            ++boxes;
            const QString before = edit->text();
            const QString name = edit->objectName().isEmpty() ? edit->parentWidget()->objectName()
                                                              : edit->objectName();
            PasteInto(edit, edit->rect().center());
            EXPECT_TRUE(WaitFor([&] { return edit->hasFocus(); })) << name.toStdString();
            QTest::qWait(100);
            EXPECT_EQ(edit->text(), before) << name.toStdString();
        }
        EXPECT_GE(boxes, 16) << "the colour boxes, the table boxes, the text boxes and combos";
        EXPECT_TRUE(services.errors.isEmpty()) << services.errors.join(' ').toStdString();
    }

    RealClipboard desktop{services};
    QProcess owner;
};

TEST_F(X11PasteTest, WithNoClipboardOwnerAPasteInsertsNothing) {
    ASSERT_FALSE(QGuiApplication::clipboard()->ownsClipboard());
    PasteEverywhere();

    // The same presses with a text on the clipboard do paste it.
    QGuiApplication::clipboard()->setText(QStringLiteral("Z"));
    ui().PageControl1->setCurrentIndex(1);
    ui().edtGraText->clear();
    PasteInto(ui().edtGraText, ui().edtGraText->rect().center());
    EXPECT_TRUE(WaitFor([&] { return ui().edtGraText->text() == QStringLiteral("ZZ"); }))
        << ui().edtGraText->text().toStdString();
    ui().txtHTML->clear();
    PasteInto(ui().txtHTML->viewport(), QPoint(30, 8));
    EXPECT_TRUE(WaitFor([&] { return ui().txtHTML->toPlainText() == QStringLiteral("ZZ"); }));
}

TEST_F(X11PasteTest, WithAClipboardHoldingNoTextAPasteInsertsNothing) {
    owner.start(QStringLiteral(TINSORA_X11_HELPER), {QStringLiteral("clipboard-image")});
    ASSERT_TRUE(owner.waitForReadyRead(10000));
    ASSERT_EQ(owner.readLine().trimmed(), "ready");
    ASSERT_TRUE(WaitFor([] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasFormat(QStringLiteral("image/png"));
    })) << "the other program owns the clipboard";
    PasteEverywhere();
}
