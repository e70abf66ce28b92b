// The window as a screen reader reads it: a name for every control, and the
// output pane's text, caret and selection through the accessible text interfaces.

#include "HtmlTextView.h"
#include "PrintQString.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <algorithm>

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString Name(QObject* object) {
    QAccessibleInterface* a = Accessible(object);
    return a ? a->text(QAccessible::Name) : QString();
}

} // namespace

class AccessibilityTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
    QAccessibleTextInterface* PaneText() {
        QAccessibleInterface* a = Accessible(ui().txtHTML);
        return a ? a->textInterface() : nullptr;
    }
};

TEST_F(AccessibilityTest, EveryControlTheKeyboardReachesHasANameSayingWhatItIs) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (Name(w).trimmed().isEmpty())
            unnamed << w->objectName() + " (" + w->metaObject()->className() + ")";
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();

    struct Expected {
        QWidget* widget;
        const char* name;
    };
    for (const Expected& e : {
             Expected{ui().ScrollBarR, "赤"},
             Expected{ui().ScrollBarB, "青"},
             Expected{ui().edtRn, "赤 (10進数)"},
             Expected{ui().edtGh, "緑 (16進数)"},
             Expected{ui().edtTD, "列(TD)"},
             Expected{ui().edtCellHeight, "セルの高さ"},
             Expected{ui().btnHanten, "色を反転"},
             Expected{ui().tbtnWindowMin, "ウィンドウを最小にする"},
             Expected{ui().tbtnEyedropper, "画面から色を取る"},
             Expected{ui().SpeedButton2, "作成"},
             Expected{ui().txtHTML, "出力されたHTML"},
         })
        EXPECT_EQ(Name(e.widget), QString::fromUtf8(e.name))
            << e.widget->objectName().toStdString();
    // A combo box gives its value as its name (on Linux): its label is told by a relation.
    const auto labels = Accessible(ui().cmbColorIndex)->relations(QAccessible::Label);
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const auto& relation) {
        return relation.first->object() == ui().lblColorCount;
    })) << "色の数";
    // Where the name alone does not say what a control does, its description does.
    for (QWidget* w : {static_cast<QWidget*>(ui().picBasGrad), static_cast<QWidget*>(ui().udColor),
                       static_cast<QWidget*>(ui().pnlCol1), static_cast<QWidget*>(ui().lblBgcolor)})
        EXPECT_FALSE(Accessible(w)->text(QAccessible::Description).isEmpty())
            << w->objectName().toStdString();
}

TEST_F(AccessibilityTest, ThePaneGivesItsTextByRangesInUtf16WithCaretAndSelection) {
    QAccessibleInterface* pane = Accessible(ui().txtHTML);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->role(), QAccessible::EditableText);
    EXPECT_TRUE(pane->state().multiLine);
    EXPECT_TRUE(pane->state().editable);
    QAccessibleTextInterface* text = pane->textInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(pane->editableTextInterface(), nullptr);

    // Two lines with a character outside the BMP (two UTF-16 units) and kanji.
    const QString shown = QStringLiteral("<B>漢字</B>\n\U0001F600x&y\n");
    ui().txtHTML->setPlainText(shown);
    EXPECT_EQ(text->characterCount(), shown.size());
    EXPECT_EQ(text->text(0, shown.size()), shown);
    EXPECT_EQ(text->text(3, 5), QStringLiteral("漢字"));
    EXPECT_EQ(text->text(10, 14), QStringLiteral("\U0001F600x&"));

    int start = -1;
    int end = -1;
    EXPECT_EQ(text->textAtOffset(12, QAccessible::LineBoundary, &start, &end),
              QStringLiteral("\U0001F600x&y\n"));
    EXPECT_EQ(start, 10);
    EXPECT_EQ(end, 16);
    EXPECT_EQ(text->textAtOffset(4, QAccessible::CharBoundary, &start, &end), QStringLiteral("字"));
    EXPECT_EQ(text->textAtOffset(11, QAccessible::CharBoundary, &start, &end),
              QStringLiteral("\U0001F600"));
    EXPECT_EQ(start, 10);
    EXPECT_EQ(text->textBeforeOffset(10, QAccessible::LineBoundary, &start, &end),
              QStringLiteral("<B>漢字</B>\n"));
    EXPECT_EQ(text->textAfterOffset(2, QAccessible::LineBoundary, &start, &end),
              QStringLiteral("\U0001F600x&y\n"));

    // The caret and the selection, both ways.
    ui().txtHTML->setSelection(3, 18); // byte positions: after "<B>", after the emoji
    EXPECT_EQ(text->cursorPosition(), 12);
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 12);
    text->setCursorPosition(5);
    EXPECT_EQ(ui().txtHTML->cursorPosition(), 9u);
    EXPECT_EQ(text->selectionCount(), 0);
    text->setSelection(0, 10, 13);
    EXPECT_EQ(ui().txtHTML->selectedText(), QStringLiteral("\U0001F600x"));

    // Edits through the interface are the user's edits: undone with Ctrl+Z.
    QAccessibleEditableTextInterface* edit = pane->editableTextInterface();
    edit->replaceText(3, 5, QStringLiteral("かな"));
    EXPECT_EQ(ui().txtHTML->toPlainText(), QStringLiteral("<B>かな</B>\n\U0001F600x&y\n"));
    edit->deleteText(0, 3);
    edit->insertText(0, QStringLiteral("<I>"));
    EXPECT_EQ(ui().txtHTML->toPlainText(), QStringLiteral("<I>かな</B>\n\U0001F600x&y\n"));
    ui().txtHTML->undo();
    ui().txtHTML->undo();
    ui().txtHTML->undo();
    EXPECT_EQ(ui().txtHTML->toPlainText(), shown);

    // A line of joined output, tens of megabytes long, is read in pieces.
    const QString joined = QString(20000, QLatin1Char('x')) + QStringLiteral("\nend");
    ui().txtHTML->setPlainText(joined);
    const QString piece = text->textAtOffset(10000, QAccessible::LineBoundary, &start, &end);
    EXPECT_LE(piece.size(), 4096);
    EXPECT_TRUE(start <= 10000 && 10000 < end) << start << " " << end;
    EXPECT_EQ(piece, joined.mid(start, end - start));
    int next = -1;
    text->textAfterOffset(10000, QAccessible::LineBoundary, &next, &end);
    EXPECT_EQ(next, start + piece.size()) << "the next piece follows on";
    EXPECT_EQ(text->textAtOffset(20002, QAccessible::LineBoundary, &start, &end), "end");
    ui().txtHTML->setPlainText(shown);

    // A pane that takes no edit says so.
    ui().txtHTML->setReadOnly(true);
    EXPECT_TRUE(pane->state().readOnly);
    edit->insertText(0, QStringLiteral("x"));
    EXPECT_EQ(ui().txtHTML->toPlainText(), shown);
}

TEST_F(AccessibilityTest, ARangeNearTheEndOfALargePaneIsReadWithoutTheRest) {
    // A table of 400 x 400 cells, 9 MB: far more than any range read.
    ui().PageControl1->setCurrentIndex(3);
    ui().edtTD->setText(QStringLiteral("400"));
    ui().edtTR->setText(QStringLiteral("400"));
    ui().SpeedButton2->click();
    ASSERT_TRUE(RunEnds());
    const HtmlTextView& view = *ui().txtHTML;
    ASSERT_GT(view.byteCount(), 8000000u);
    QAccessibleTextInterface* text = PaneText();
    ASSERT_NE(text, nullptr);
    const int count = text->characterCount();
    EXPECT_EQ(static_cast<std::size_t>(count), view.byteCount()) << "all ASCII";
    EXPECT_EQ(text->text(count - 17, count), QStringLiteral("  </TBODY>\n</TABLE>\n").right(17));
    int start = -1;
    int end = -1;
    EXPECT_EQ(text->textAtOffset(count - 3, QAccessible::LineBoundary, &start, &end),
              QStringLiteral("</TABLE>\n"));
    EXPECT_EQ(end, count);
}
