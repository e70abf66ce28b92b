#include "HtmlTextView.h"

#include "FakeDesktopServices.h"
#include "HtmlFindBar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

QFont PaneFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    return font;
}

// Table rows as the generator writes them, colours counting up, to about bytes.
std::string TableLines(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 64);
    char row[64];
    for (unsigned k = 0; text.size() < bytes; ++k) {
        const int n = std::snprintf(row, sizeof row,
                                    "      <TD bgcolor=\"#%06X\" width=\"1\" height=\"1\"></TD>\n",
                                    (k * 2654435761u) & 0xFFFFFFu);
        text.append(row, static_cast<std::size_t>(n));
    }
    return text;
}

// Gradient text joined into one line, as joined mode hands it over.
std::string JoinedLine(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 64);
    const char* const chars[] = {"グ", "ラ", "デ", "ー", "シ", "ョ", "ン", "a", "B", "字"};
    char cell[64];
    for (unsigned k = 0; text.size() < bytes; ++k) {
        const int n = std::snprintf(cell, sizeof cell, "<FONT Color=\"#%06X\">%s</FONT>",
                                    (k * 40503u) & 0xFFFFFFu, chars[k % 10]);
        text.append(cell, static_cast<std::size_t>(n));
    }
    return text;
}

class HtmlTextViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setFont(PaneFont());
        view.setServices(&services);
        view.resize(400, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void Focus() {
        view.activateWindow();
        view.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(&view, key, mods);
    }
    void Type(const char* ascii) { QTest::keyClicks(&view, QString::fromLatin1(ascii)); }
    void Commit(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&view, &event);
    }
    std::string Text() const { return view.text(); }
    std::pair<std::size_t, std::size_t> Selection() const {
        return {view.selectionStart(), view.selectionEnd()};
    }

    // A point half way down a line, at fraction of the way through the character
    // at position; the x comes from the font as Qt measures a string. (It moves
    // the caret to find where the line begins: take points before clicking.)
    QPoint PointAt(std::size_t position, double fraction = 0.5) {
        const std::string& text = view.text();
        const std::size_t lf = position == 0 ? std::string::npos : text.rfind('\n', position - 1);
        const std::size_t start = lf == std::string::npos ? 0 : lf + 1;
        std::size_t end = position;
        if (end < text.size() && text[end] != '\n') {
            const auto lead = static_cast<unsigned char>(text[end]);
            end += lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        }
        const QFontMetricsF metrics(view.font());
        const QString before = QString::fromUtf8(text.data() + start, qsizetype(position - start));
        const QString both = QString::fromUtf8(text.data() + start, qsizetype(end - start));
        const double x0 = metrics.horizontalAdvance(before);
        const double x1 = metrics.horizontalAdvance(both);
        view.setSelection(start, start);
        const QRect origin = view.cursorRect();
        return QPoint(static_cast<int>(origin.x() + x0 + fraction * (x1 - x0)),
                      origin.center().y());
    }
    void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, buttons, mods);
        QApplication::sendEvent(view.viewport(), &event);
    }
    void Click(const QPoint& at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, mods);
        Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton, mods);
    }
    void WaitForMeasuring() {
        while (view.measuringLines())
            QCoreApplication::processEvents();
    }

    FakeDesktopServices services;
    HtmlTextView view;
};

} // namespace

TEST_F(HtmlTextViewTest, TypingEnterBackspaceDeleteAndInputMethodsEditTheText) {
    QSignalSpy changes(&view, &HtmlTextView::textChanged);
    Type("abc");
    Key(Qt::Key_Return);
    Commit(QStringLiteral("日本語"));
    EXPECT_EQ(Text(), "abc\n日本語");
    EXPECT_EQ(view.cursorPosition(), view.byteCount());
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), "abc\n日本");
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Text(), "abc\n本");
    Key(Qt::Key_Backspace); // joins the lines
    EXPECT_EQ(Text(), "abc本");
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    Key(Qt::Key_End);
    Type("!");
    EXPECT_EQ(Text(), "bc本!");
    EXPECT_EQ(changes.count(), 10);

    // A composition is shown but not held until it is committed, and then
    // replaces the selection.
    view.setSelection(0, 2);
    QInputMethodEvent compose(QStringLiteral("にほん"), {});
    QApplication::sendEvent(&view, &compose);
    EXPECT_EQ(Text(), "本!");
    Commit(QStringLiteral("二本"));
    EXPECT_EQ(Text(), "二本本!");

    // Keys with Ctrl type nothing; Tab is left to move the focus.
    Key(Qt::Key_B, Qt::ControlModifier);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Text(), "二本本!");
}

TEST_F(HtmlTextViewTest, UndoAndRedoTakeBackWholeStepsOfTyping) {
    Type("one two");
    Key(Qt::Key_Return);
    Type("three");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), "one two\nthr");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one two\nthree");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one two\n");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one two\nthree");
    EXPECT_EQ(view.cursorPosition(), view.byteCount());
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // the other redo key
    EXPECT_EQ(Text(), "one two\nthr");
    Key(Qt::Key_Y, Qt::ControlModifier); // nothing left to redo
    EXPECT_EQ(Text(), "one two\nthr");

    services.clipboard = QStringLiteral("pasted");
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "pastedone two\nthr");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one two\nthr");

    // A new text has no history to undo into.
    view.setPlainText(QStringLiteral("fresh"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "fresh");
}

TEST_F(HtmlTextViewTest, AClickPlacesTheCaretAtTheNearestCharacterEdge) {
    view.setPlainText(QStringLiteral("iiWWmm\n<TD bgcolor=\"#FF7F7F\">グラデーション\nend"));
    const QFontMetricsF metrics(view.font());
    // What the pane draws is where Qt puts the same string.
    view.setSelection(4, 4);
    const int x4 = view.cursorRect().x();
    view.setSelection(0, 0);
    EXPECT_NEAR(x4 - view.cursorRect().x(), metrics.horizontalAdvance(QStringLiteral("iiWW")), 1);

    const std::size_t kana = Text().find("デ");
    const QPoint early = PointAt(3, 0.3);
    const QPoint late = PointAt(3, 0.7);
    const QPoint inKana = PointAt(kana, 0.8);
    const QPoint third = PointAt(2);
    QPoint pastEnd = PointAt(0);
    pastEnd.setX(390);
    QPoint below = PointAt(0);
    below.setY(190);

    // Over a whole line of markup and kana too, where any difference would add up.
    const QString line =
        QStringLiteral("<FONT Color=\"#FF7F00\">グ</FONT><FONT Color=\"#FE8001\">ラ</FONT>")
            .repeated(4) +
        QStringLiteral("WWWWWiiiii（全角）");
    HtmlTextView wide;
    wide.setFont(PaneFont());
    wide.resize(2000, 60);
    wide.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wide));
    wide.setPlainText(line);
    const int lineStart = wide.cursorRect().x();
    wide.setSelection(wide.byteCount(), wide.byteCount());
    EXPECT_NEAR(wide.cursorRect().x() - lineStart, metrics.horizontalAdvance(line), 1);

    Click(early);
    EXPECT_EQ(view.cursorPosition(), 3u);
    Click(late);
    EXPECT_EQ(view.cursorPosition(), 4u);
    Click(inKana);
    EXPECT_EQ(view.cursorPosition(), kana + 3);
    Click(pastEnd);
    EXPECT_EQ(view.cursorPosition(), 6u); // the end of the first line
    Click(below);
    EXPECT_EQ(view.cursorPosition(), Text().size() - 3); // the last line's start
    Click(third, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::make_pair(std::size_t(2), Text().size() - 3));
}

TEST_F(HtmlTextViewTest, DraggingSelectsCharactersAndADoubleClickSelectsWords) {
    view.setPlainText(QStringLiteral("<TD bgcolor=\"#FF7F7F\"></TD>\nsecond line here"));
    const std::size_t second = Text().find("second");
    const QPoint from = PointAt(1, 0.2);
    const QPoint to = PointAt(second + 3, 0.2);
    const QPoint word = PointAt(6);
    const QPoint later = PointAt(16);
    const QPoint earlier = PointAt(1);
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(QEvent::MouseMove, to, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(Selection(), std::make_pair(std::size_t(1), second + 3));
    EXPECT_EQ(view.selectedText(), QStringLiteral("TD bgcolor=\"#FF7F7F\"></TD>\nsec"));

    Mouse(QEvent::MouseButtonPress, word, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, word, Qt::NoButton);
    Mouse(QEvent::MouseButtonDblClick, word, Qt::LeftButton);
    EXPECT_EQ(view.selectedText(), QStringLiteral("bgcolor"));
    // Dragging on after a double click takes whole words.
    Mouse(QEvent::MouseMove, later, Qt::LeftButton);
    EXPECT_EQ(view.selectedText(), QStringLiteral("bgcolor=\"#FF7F7F"));
    Mouse(QEvent::MouseMove, earlier, Qt::LeftButton);
    EXPECT_EQ(view.selectedText(), QStringLiteral("TD bgcolor"));
    Mouse(QEvent::MouseButtonRelease, earlier, Qt::NoButton);
}

TEST_F(HtmlTextViewTest, ShiftWithTheMovingKeysSelects) {
    view.setPlainText(QStringLiteral("first line\nsecond\nfirst line too\nlast"));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("fi"));
    Key(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("first "));
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("first line"));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("first line\nsecond"));
    Key(Qt::Key_Down, Qt::ShiftModifier); // back to the column it came from
    EXPECT_EQ(view.selectedText(), QStringLiteral("first line\nsecond\nfirst line"));
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("first line\nsecond\n"));
    Key(Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Selection(), std::make_pair(std::size_t(0), view.byteCount()));
    Key(Qt::Key_Left); // ends the selection at its start
    EXPECT_EQ(Selection(), std::make_pair(std::size_t(0), std::size_t(0)));
    Key(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("first line\nsecond\nfirst line too\n"));
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selection(), std::make_pair(std::size_t(0), view.byteCount()));
}

TEST_F(HtmlTextViewTest, CopyAndCutGiveCrLfAndABrokenClipboardLosesNothing) {
    view.setPlainText(QStringLiteral("<TABLE>\n  <TR>\n</TABLE>\n"));
    Key(Qt::Key_C, Qt::ControlModifier); // nothing selected: the clipboard is left alone
    EXPECT_EQ(services.clipboardUtf8Writes, 0);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(services.clipboard, QStringLiteral("<TABLE>\r\n  <TR>\r\n</TABLE>\r\n"));

    view.setSelection(8, 15);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(services.clipboard, QStringLiteral("  <TR>\r\n"));
    EXPECT_EQ(Text(), "<TABLE>\n</TABLE>\n");

    services.clipboardBusy = true;
    QSignalSpy errors(&view, &HtmlTextView::errorOccurred);
    view.setSelection(0, 7);
    Key(Qt::Key_X, Qt::ControlModifier);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Text(), "<TABLE>\n</TABLE>\n");
    ASSERT_EQ(errors.count(), 2);
    EXPECT_EQ(errors[0][0].toString(), QStringLiteral("クリップボードを開くことができません"));
    EXPECT_EQ(Selection(), std::make_pair(std::size_t(0), std::size_t(7)));
}

TEST_F(HtmlTextViewTest, PastingNothingInsertsNothingAndLineEndsBecomeLf) {
    view.setPlainText(QStringLiteral("kept"));
    view.setSelection(2, 2);
    QSignalSpy changes(&view, &HtmlTextView::textChanged);
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    services.clipboard.reset();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(changes.count(), 0);

    // The desktop's clipboard, emptied and then holding no text at all: a
    // selection stays as it was.
    view.setSelection(1, 3);
    view.setServices(nullptr);
    QGuiApplication::clipboard()->clear();
    Key(Qt::Key_V, Qt::ControlModifier);
    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(view.selectedText(), QStringLiteral("ep"));

    QGuiApplication::clipboard()->setText(QStringLiteral("a\r\nb\rc"));
    view.selectAll();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "a\nb\nc");
    view.selectAll();
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\r\nb\r\nc"));
}

TEST_F(HtmlTextViewTest, AReadOnlyPaneSelectsCopiesAndFindsButTakesNoEdit) {
    Focus();
    view.setPlainText(QStringLiteral("one\ntwo"));
    view.setReadOnly(true);
    view.setSelection(0, 3);
    QSignalSpy changes(&view, &HtmlTextView::textChanged);
    Type("x");
    Key(Qt::Key_Return);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Delete);
    Key(Qt::Key_X, Qt::ControlModifier);
    services.clipboard = QStringLiteral("pasted");
    Key(Qt::Key_V, Qt::ControlModifier);
    Commit(QStringLiteral("あ"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one\ntwo");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(static_cast<QWidget&>(view).inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_EQ(services.clipboardUtf8Writes, 0) << "a cut that cannot delete copies nothing either";

    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(services.clipboard, QStringLiteral("one"));
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(view.find(QStringLiteral("two"), false), HtmlTextView::FindResult::Wrapped);
    QStringList enabled;
    const std::unique_ptr<QMenu> menu(view.createContextMenu(nullptr));
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->isEnabled())
            enabled << action->text().section('(', 0, 0);
    EXPECT_EQ(enabled, (QStringList{"コピー", "すべて選択", "検索"}));

    view.setReadOnly(false);
    Type("x");
    EXPECT_EQ(Text(), "one\nx");
}

TEST_F(HtmlTextViewTest, FindGoesToTheNextAndPreviousHitAndWrapsAround) {
    Focus();
    std::string text;
    for (int k = 0; k < 300; ++k)
        text += k == 10 || k == 150 || k == 290 ? "<TD bgcolor=\"#FF0000\">\n" : "<TR>\n";
    const std::size_t hits[] = {text.find("#FF0000"), text.find("#FF0000", 100),
                                text.rfind("#FF0000")};
    view.setText(std::move(text));

    Key(Qt::Key_F, Qt::ControlModifier);
    HtmlFindBar* bar = view.findBar();
    ASSERT_TRUE(bar->isVisible());
    auto* field = bar->findChild<QLineEdit*>(QStringLiteral("edtFind"));
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("#FF0000"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(hits[0], hits[0] + 7));
    QTest::keyClick(field, Qt::Key_F3);
    EXPECT_EQ(view.selectionStart(), hits[1]);
    // The hit is scrolled into view.
    const int first = view.verticalScrollBar()->value();
    EXPECT_LE(first, 150);
    EXPECT_GT(first + view.verticalScrollBar()->pageStep(), 150);
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), hits[0]);
    QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), hits[2]);
    auto* status = bar->findChild<QLabel*>(QStringLiteral("lblFindStatus"));
    EXPECT_EQ(status->text(), QStringLiteral("末尾から検索しました"));
    QTest::mouseClick(bar->findChild<QWidget*>(QStringLiteral("btnFindNext")), Qt::LeftButton);
    EXPECT_EQ(view.selectionStart(), hits[0]);
    EXPECT_EQ(status->text(), QStringLiteral("先頭から検索しました"));

    field->setText(QStringLiteral("#00FF00"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(status->text(), QStringLiteral("「#00FF00」は見つかりません"));
    EXPECT_EQ(view.selectionStart(), hits[0]); // where it was

    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(view.hasFocus());
    Key(Qt::Key_F3); // the last text sought, from the view
    EXPECT_EQ(status->text(), QStringLiteral("「#00FF00」は見つかりません"));

    // Across line ends, and backwards from the caret.
    view.setSelection(view.byteCount(), view.byteCount());
    EXPECT_EQ(view.find(QStringLiteral("<TR>\r\n<TD"), true), HtmlTextView::FindResult::Found);
    EXPECT_EQ(view.selectionStart(), hits[2] - 18);
}

TEST_F(HtmlTextViewTest, ThePanesKeysComeBeforeTheWindowsShortcuts) {
    QMainWindow window;
    auto* pane = new HtmlTextView;
    pane->setServices(&services);
    window.setCentralWidget(pane);
    QAction selectAllElsewhere(QStringLiteral("elsewhere"));
    selectAllElsewhere.setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    window.addAction(&selectAllElsewhere);
    QSignalSpy triggered(&selectAllElsewhere, &QAction::triggered);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    pane->setFocus();
    pane->setPlainText(QStringLiteral("abc"));
    QTest::keyClick(pane, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(pane->selectionEnd(), 3u);
    EXPECT_EQ(triggered.count(), 0);
}

TEST_F(HtmlTextViewTest, TheContextMenuHasTheUsualCommands) {
    view.setPlainText(QStringLiteral("abc"));
    const std::unique_ptr<QMenu> menu(view.createContextMenu(nullptr));
    QStringList texts;
    QList<bool> enabled;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) {
            texts << action->text();
            enabled << action->isEnabled();
        }
    EXPECT_EQ(texts,
              (QStringList{"元に戻す(&U)\tCtrl+Z", "やり直し(&R)\tCtrl+Y", "切り取り(&T)\tCtrl+X",
                           "コピー(&C)\tCtrl+C", "貼り付け(&P)\tCtrl+V", "削除(&D)\tDel",
                           "すべて選択(&A)\tCtrl+A", "検索(&F)...\tCtrl+F"}));
    EXPECT_EQ(enabled, (QList<bool>{false, false, false, false, false, false, true, true}));

    menu->actions()[menu->actions().size() - 3]->trigger(); // すべて選択
    EXPECT_EQ(view.selectionEnd(), 3u);
    services.clipboard = QStringLiteral("x");
    const std::unique_ptr<QMenu> again(view.createContextMenu(nullptr));
    for (QAction* action : again->actions())
        if (action->text().startsWith(QStringLiteral("コピー")))
            action->trigger();
    EXPECT_EQ(services.clipboard, QStringLiteral("abc"));
    for (QAction* action : again->actions())
        if (action->text().startsWith(QStringLiteral("削除")))
            action->trigger();
    EXPECT_TRUE(view.isEmpty());
}

// 56 MB in lines and 82 MB on one line: the first lines are painted at once,
// exactly as a small text with the same first lines is, having measured next to
// nothing; the lines are measured afterwards, a slice at a time.
TEST_F(HtmlTextViewTest, ALargeTextIsShownWithoutMeasuringItAll) {
    std::string table = TableLines(56'000'000);
    const std::size_t bytes = table.size();
    const std::size_t lines =
        static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n'));
    HtmlTextView small;
    small.setFont(PaneFont());
    view.resize(200, 200); // narrower than the lines: the horizontal range counts
    small.resize(view.size());
    for (HtmlTextView* v : {&view, &small}) {
        v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    small.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&small));
    std::size_t cut = 0;
    for (int k = 0; k < 30; ++k)
        cut = table.find('\n', cut) + 1;
    small.setText(table.substr(0, cut));

    view.clearFocus(); // no caret in the pictures
    small.clearFocus();
    const std::size_t before = view.measuredBytes();
    view.setText(std::move(table));
    const QImage shown = view.viewport()->grab().toImage();
    EXPECT_LT(view.measuredBytes() - before, 100'000u);
    const QImage expected = small.viewport()->grab().toImage();
    if (shown != expected) {
        shown.save(QStringLiteral("/tmp/pane-shown.png"));
        expected.save(QStringLiteral("/tmp/pane-expected.png"));
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(view.byteCount(), bytes);
    EXPECT_EQ(view.verticalScrollBar()->maximum() + view.verticalScrollBar()->pageStep(),
              static_cast<int>(lines + 1));

    // Measured in the background, the widest line sets the horizontal range.
    WaitForMeasuring();
    EXPECT_GE(view.measuredBytes() - before, bytes - lines); // every line, without its LF
    const QFontMetricsF metrics(view.font());
    const double widest =
        metrics.horizontalAdvance(QStringLiteral("      <TD bgcolor=\"#") + QString(6, u'W') +
                                  QStringLiteral("\" width=\"1\" height=\"1\"></TD>"));
    const int range = view.horizontalScrollBar()->maximum() + view.viewport()->width();
    EXPECT_LE(range, widest + 10);
    EXPECT_GT(range, widest - 6 * metrics.horizontalAdvance(u'W'));

    std::string joined = JoinedLine(82'000'000);
    const std::size_t joinedBytes = joined.size();
    const std::size_t measured = view.measuredBytes();
    view.setText(std::move(joined));
    view.viewport()->grab();
    EXPECT_LT(view.measuredBytes() - measured, 100'000u);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);

    // The end of the line, far to the right: the caret goes there and the view follows.
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.cursorPosition(), joinedBytes);
    const QRect caret = view.cursorRect();
    EXPECT_TRUE(view.viewport()->rect().contains(caret.topLeft())) << caret.x();
    EXPECT_GT(view.horizontalScrollBar()->value(), 1'000'000);
    Type("x");
    EXPECT_EQ(view.byteCount(), joinedBytes + 1);
    EXPECT_EQ(view.text().back(), 'x');
}
