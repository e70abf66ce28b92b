#include "ClickablePanel.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using tinsora::ColorRGB;

namespace {

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, text);
}

ColorRGB PanelColor(ClickablePanel* panel) {
    return tinsora::UnpackColor(panel->color());
}

} // namespace

class ColorEditorTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
};

TEST_F(ColorEditorTest, StartsBlackWithEmptyHexBoxesAndTheHexCaption) {
    EXPECT_EQ(Current(), (ColorRGB{0, 0, 0}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : #000000]"));
    EXPECT_EQ(ui().lblHex->text(), "#000000");
    EXPECT_EQ(ui().pnlRGB->color(), 0u);
    EXPECT_EQ(ui().edtGh->text(), "");
    ui().ScrollBarG->setValue(10);
    EXPECT_EQ(ui().edtGh->text(), "0A");
    EXPECT_EQ(ui().edtGn->text(), "10");
    EXPECT_EQ(ui().edtRh->text(), "") << "other channels' boxes stay as they were";
}

TEST_F(ColorEditorTest, DecimalBoxesClampAndRewriteOnlyWhenTheBarMoves) {
    Type(ui().edtRn, "300");
    EXPECT_EQ(Current().Red, 255);
    EXPECT_EQ(ui().edtRn->text(), "255");
    Type(ui().edtRn, "007");
    EXPECT_EQ(Current().Red, 7);
    EXPECT_EQ(ui().edtRn->text(), "7");
    ui().edtRn->clear();
    EXPECT_EQ(Current().Red, 7) << "an empty box changes nothing";
    EXPECT_EQ(ui().edtRh->text(), "07");
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(ColorEditorTest, MinusFiveAfterTheErrorForTheLoneMinus) {
    Type(ui().edtGn, "-5"); // green is 0: the bar does not move
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("'-' は整数ではありません."));
    EXPECT_EQ(Current().Green, 0);
    EXPECT_EQ(ui().edtGn->text(), "-5");

    ui().ScrollBarB->setValue(100);
    Type(ui().edtBn, "-5");
    EXPECT_EQ(Current().Blue, 0);
    EXPECT_EQ(ui().edtBn->text(), "0");
}

TEST_F(ColorEditorTest, HexBoxKeepsWhatIsTypedWhileTheDecimalBoxFollows) {
    Type(ui().edtRh, "f");
    EXPECT_EQ(ui().edtRh->text(), "F") << "letters are shown upper-case";
    EXPECT_EQ(Current().Red, 240);
    EXPECT_EQ(ui().edtRn->text(), "240");
    QTest::keyClicks(ui().edtRh, "F");
    EXPECT_EQ(Current().Red, 255);
    EXPECT_EQ(ui().edtRn->text(), "255");
    EXPECT_EQ(ui().edtRh->text(), "FF");
    ui().edtRh->clear();
    EXPECT_EQ(Current().Red, 0);
    EXPECT_EQ(ui().edtRh->text(), "");
    EXPECT_EQ(ui().edtRn->text(), "0");
    Type(ui().edtBh, "Z9");
    EXPECT_EQ(Current().Blue, 9) << "an invalid digit counts as 0";
}

TEST_F(ColorEditorTest, InvertAndBrightnessStopAtTheEnds) {
    SetColor(0, 128, 255);
    ui().btnHanten->click();
    EXPECT_EQ(Current(), (ColorRGB{255, 127, 0}));
    SetColor(250, 5, 255);
    ui().udColor->step(UpDown::Button::Up);
    EXPECT_EQ(Current(), (ColorRGB{255, 15, 255}));
    SetColor(5, 250, 0);
    ui().udColor->step(UpDown::Button::Down);
    EXPECT_EQ(Current(), (ColorRGB{0, 240, 0}));
}

TEST_F(ColorEditorTest, SliderSyncMovesGreenAndBlueWithRedAndClamps) {
    ui().mnuOptionDoki->trigger();
    ASSERT_TRUE(ui().mnuOptionDoki->isChecked());
    ui().mnuOptionDoki->trigger();
    ui().mnuOptionDoki->trigger();
    SetColor(100, 250, 20);
    EXPECT_EQ(Current(), (ColorRGB{100, 250, 20})) << "a whole colour arrives unchanged";
    ui().ScrollBarR->setValue(110);
    EXPECT_EQ(Current(), (ColorRGB{110, 255, 30}));
    ui().ScrollBarR->setValue(100);
    EXPECT_EQ(Current(), (ColorRGB{100, 245, 20}));
    // Both hexadecimal boxes follow the move.
    EXPECT_EQ(ui().edtGh->text(), "F5");
    EXPECT_EQ(ui().edtBh->text(), "14");
    EXPECT_EQ(ui().edtGn->text(), "245");
}

TEST_F(ColorEditorTest, InvertAndBrightnessLeaveTheSliderSyncOut) {
    ui().mnuOptionDoki->trigger();
    SetColor(100, 50, 20);
    ui().udColor->step(UpDown::Button::Up);
    EXPECT_EQ(Current(), (ColorRGB{110, 60, 30}));
    ui().btnHanten->click();
    EXPECT_EQ(Current(), (ColorRGB{145, 195, 225}));
    ui().ScrollBarR->setValue(150); // the sync still follows red afterwards
    EXPECT_EQ(Current(), (ColorRGB{150, 200, 230}));
}

TEST_F(ColorEditorTest, EveryNotationWithAndWithoutTheSharp) {
    struct Case {
        ColorRGB color;
        const char* hex;
        const char* rgb;
        const char* vb;
        const char* cb;
    };
    const Case cases[] = {
        {{0, 0, 0}, "000000", "RGB(0,0,0)", "&H00000000&", "0x00000000"},
        {{255, 255, 255}, "FFFFFF", "RGB(255,255,255)", "&H00FFFFFF&", "0x00FFFFFF"},
        {{1, 2, 3}, "010203", "RGB(1,2,3)", "&H00030201&", "0x00030201"},
        {{255, 128, 0}, "FF8000", "RGB(255,128,0)", "&H000080FF&", "0x000080FF"},
    };
    for (const Case& c : cases) {
        SetColor(c.color.Red, c.color.Green, c.color.Blue);
        ui().mnuColTypeHex->trigger();
        EXPECT_EQ(ui().lblHex->text(), QString("#") + c.hex);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : #") + c.hex + "]");
        ui().mnuColTypeRGB->trigger();
        EXPECT_EQ(ui().lblHex->text(), c.rgb);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [") + c.rgb + "]");
        ui().mnuColTypeVB->trigger();
        EXPECT_EQ(ui().lblHex->text(), c.vb);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [VisualBasic : ") + c.vb + "]");
        ui().mnuColTypeCB->trigger();
        EXPECT_EQ(ui().lblHex->text(), c.cb);
        EXPECT_EQ(window->windowTitle(),
                  QStringLiteral("ティンソラ [C++Builder,Delphi : ") + c.cb + "]");
        EXPECT_TRUE(ui().mnuColTypeCB->isChecked());
        EXPECT_FALSE(ui().mnuColTypeHex->isChecked());
    }
    ui().mnuColTypeHex->trigger();
    ui().mnuOptionSharp->trigger(); // off
    SetColor(10, 11, 12);
    EXPECT_EQ(ui().lblHex->text(), "0A0B0C");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : 0A0B0C]"));
    ui().mnuColTypeVB->trigger();
    EXPECT_EQ(ui().lblHex->text(), "&H000C0B0A&");
}

TEST_F(ColorEditorTest, CopyButtonCopiesTheShownTextWhileTheMenuCopiesAfresh) {
    SetColor(255, 128, 0);
    ui().mnuOptionSharp->trigger(); // off; the display keeps its old text
    EXPECT_EQ(ui().lblHex->text(), "#FF8000");
    ui().btnColorCopy->click();
    EXPECT_EQ(services.clipboard, "#FF8000");
    ui().N16HTML1->trigger();
    EXPECT_EQ(services.clipboard, "FF8000");
    ui().RGB1->trigger();
    EXPECT_EQ(services.clipboard, "RGB(255,128,0)");
    ui().VisualBasic1->trigger();
    EXPECT_EQ(services.clipboard, "&H000080FF&");
    ui().CBuilderDelphi1->trigger();
    EXPECT_EQ(services.clipboard, "0x000080FF");
    // Copies change neither the notation nor the display.
    EXPECT_TRUE(ui().mnuColTypeHex->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ティンソラ [16進数 : #FF8000]"));
    ui().ScrollBarB->setValue(1);
    ui().btnColorCopy->click();
    EXPECT_EQ(services.clipboard, "FF8001");
}

TEST_F(ColorEditorTest, BusyClipboardIsReportedAndKeepsItsContent) {
    services.clipboard = QStringLiteral("before");
    services.clipboardBusy = true;
    ui().btnColorCopy->click();
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("クリップボードを開くことができません."));
    EXPECT_EQ(services.clipboard, "before");
}

TEST_F(ColorEditorTest, BlendGivesTheSingleFloatRatiosAndTruncates) {
    const auto run = [&](ColorRGB c1, ColorRGB c2) {
        SetColor(c1.Red, c1.Green, c1.Blue);
        QTest::mouseClick(ui().pnlBlendColor1, Qt::LeftButton);
        SetColor(c2.Red, c2.Green, c2.Blue);
        QTest::mouseClick(ui().pnlBlendColor2, Qt::LeftButton);
        std::vector<ColorRGB> results;
        for (int p = 0; p <= 10; ++p) {
            ui().barBlend->setValue(p);
            results.push_back(PanelColor(ui().pnlBlendColor3));
        }
        return results;
    };
    const int up[] = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229, 255};
    const int down[] = {255, 229, 203, 178, 152, 127, 101, 76, 50, 25, 0};
    const auto blackToWhite = run({0, 0, 0}, {255, 255, 255});
    const auto whiteToBlack = run({255, 255, 255}, {0, 0, 0});
    for (int p = 0; p <= 10; ++p) {
        EXPECT_EQ(blackToWhite[p], (ColorRGB{up[p], up[p], up[p]})) << p;
        EXPECT_EQ(whiteToBlack[p], (ColorRGB{down[p], down[p], down[p]})) << p;
    }
    const auto towards = run({0, 0, 0}, {10, 100, 200});
    EXPECT_EQ(towards[3], (ColorRGB{3, 30, 60}));
    EXPECT_EQ(towards[7], (ColorRGB{6, 69, 139}));
    EXPECT_EQ(towards[9], (ColorRGB{8, 89, 179}));

    ui().barBlend->setValue(9);
    QTest::mouseClick(ui().pnlBlendColor3, Qt::LeftButton);
    EXPECT_EQ(Current(), (ColorRGB{8, 89, 179}));
}

TEST_F(ColorEditorTest, UntouchedBlendSwatchesReadAsTheFaceColour) {
    QTest::mouseClick(ui().pnlBlendColor3, Qt::LeftButton);
    EXPECT_EQ(Current(), (ColorRGB{15, 0, 0}));
    ui().barBlend->setValue(2);
    EXPECT_EQ(PanelColor(ui().pnlBlendColor3), (ColorRGB{15, 0, 0}));
}

TEST_F(ColorEditorTest, TemplatesAndBlendResultsArriveExactlyWithSliderSyncOn) {
    Close();
    WriteTemplates("a\r\nFF8000\r\nb\r\nff8000\r\nc\r\n#FF8000\r\nd\r\nFFF\r\ne\r\n\r\n"
                   "f\r\nFF8000 orange\r\ng\r\n");
    Open();
    ui().mnuOptionDoki->trigger();
    const ColorRGB expected[] = {{255, 128, 0}, {255, 128, 0}, {15, 248, 0},
                                 {255, 240, 0}, {0, 0, 0},     {255, 128, 0}};
    ASSERT_EQ(ui().lstColorSample->count(), 7);
    for (int k = 0; k < 6; ++k) {
        ui().lstColorSample->setCurrentRow(k);
        EXPECT_EQ(Current(), expected[k]) << "template " << k;
    }
    EXPECT_TRUE(services.errors.isEmpty());
    ui().lstColorSample->setCurrentRow(6); // a name without a colour line
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_EQ(services.errors[0], QStringLiteral("リストのインデックスが範囲を超えています (13)"));
    EXPECT_EQ(Current(), (ColorRGB{255, 128, 0}));
}

TEST_F(ColorEditorTest, ClickingTheSelectedTemplateAgainTakesItsColourAgain) {
    Close();
    WriteTemplates("a\r\n102030\r\nend;\r\n");
    Open();
    ui().lstColorSample->show();
    ui().lstColorSample->setCurrentRow(0);
    SetColor(1, 1, 1);
    const QRect item = ui().lstColorSample->visualItemRect(ui().lstColorSample->item(0));
    QTest::mouseClick(ui().lstColorSample->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(Current(), (ColorRGB{0x10, 0x20, 0x30}));
}

TEST_F(ColorEditorTest, ArrowKeysMoveTheBarsTheWayTheyPoint) {
    struct Step {
        Qt::Key key;
        int value;
    };
    // From 100: each key in turn.
    const Step steps[] = {{Qt::Key_Right, 101},  {Qt::Key_Right, 102}, {Qt::Key_Left, 101},
                          {Qt::Key_Down, 102},   {Qt::Key_Up, 101},    {Qt::Key_PageDown, 111},
                          {Qt::Key_PageUp, 101}, {Qt::Key_End, 255},   {Qt::Key_Home, 0}};
    for (QScrollBar* bar : {ui().ScrollBarR, ui().ScrollBarG, ui().ScrollBarB}) {
        bar->setValue(100);
        for (const Step& s : steps) {
            QTest::keyClick(bar, s.key);
            EXPECT_EQ(bar->value(), s.value) << bar->objectName().toStdString() << " key " << s.key;
        }
    }
    EXPECT_EQ(ui().edtBn->text(), "0");
}

class TemplatePageTest : public ColorEditorTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteTemplates("aliceblue\r\nF0F8FF\r\nred\r\nFF0000\r\nend;\r\n");
        Open();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QPoint ItemCentre(int row) {
        return ui().lstColorSample->visualItemRect(ui().lstColorSample->item(row)).center();
    }
};

TEST_F(TemplatePageTest, OpeningThePageAfterTheTrackBarTakesNoColour) {
    Type(ui().edtRn, "1");
    Type(ui().edtGn, "2");
    Type(ui().edtBn, "3");
    QTabBar* tabs = ui().PageControl2->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QTest::mouseClick(ui().barBlend, Qt::LeftButton, {}, ui().barBlend->rect().center());
    ASSERT_EQ(QApplication::focusWidget(), ui().barBlend);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    ASSERT_EQ(ui().PageControl2->currentIndex(), 2);
    EXPECT_EQ(Current(), (ColorRGB{1, 2, 3}));
    EXPECT_TRUE(services.errors.isEmpty());

    // Only a key that moves the selection takes a template.
    ui().lstColorSample->setFocus();
    QTest::keyClick(ui().lstColorSample, Qt::Key_Down);
    const ColorRGB taken = Current();
    EXPECT_NE(taken, (ColorRGB{1, 2, 3}));
    const QList<QListWidgetItem*> selected = ui().lstColorSample->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(taken,
              selected[0]->text() == "red" ? (ColorRGB{255, 0, 0}) : (ColorRGB{240, 248, 255}));
}

TEST_F(TemplatePageTest, RightAndMiddleClicksSelectNothing) {
    ui().PageControl2->setCurrentIndex(2);
    SetColor(1, 2, 3);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(ui().lstColorSample->viewport(), button, {}, ItemCentre(1));
        EXPECT_TRUE(ui().lstColorSample->selectedItems().isEmpty()) << button;
        EXPECT_EQ(Current(), (ColorRGB{1, 2, 3})) << button;
    }
    QTest::mouseClick(ui().lstColorSample->viewport(), Qt::LeftButton, {}, ItemCentre(1));
    EXPECT_EQ(Current(), (ColorRGB{255, 0, 0}));
    QTest::keyClick(ui().lstColorSample, Qt::Key_Up);
    EXPECT_EQ(Current(), (ColorRGB{240, 248, 255}));
    EXPECT_TRUE(services.errors.isEmpty());
}

// A one-line box takes of a paste only what its length limit lets in, and reads no more of the
// clipboard than that: the output pane's copy may be hundreds of megabytes.
TEST_F(ColorEditorTest, APasteIntoAOneLineBoxReadsAndTakesOnlyWhatFits) {
    services.clipboard = QString(1000000, QLatin1Char('1'));
    QLineEdit* red = ui().edtRn;
    red->setFocus();
    red->clear();
    QTest::keyClick(red, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(red->text(), "111");
    EXPECT_EQ(Current().Red, 111) << "a change as typing makes";
    ASSERT_EQ(services.clipboardStartsRead, std::vector<qsizetype>{3});

    QLineEdit* text = ui().edtGraText;
    text->setText(QStringLiteral("abcdef"));
    text->setSelection(2, 2); // a paste takes the place of "cd"
    QTest::keyClick(text, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(text->text().size(), text->maxLength());
    EXPECT_TRUE(text->text().startsWith(QStringLiteral("ab111")));
    EXPECT_TRUE(text->text().endsWith(QStringLiteral("1ef")));
    EXPECT_EQ(services.clipboardStartsRead.back(), text->maxLength() - 4);

    // An editable combo box hands its keys to its box itself, past the box's own filters.
    QComboBox* size = ui().cmbMojiSize;
    size->setFocus();
    size->clearEditText();
    QTest::keyClick(size, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(size->currentText().size(), size->lineEdit()->maxLength());
    EXPECT_EQ(services.clipboardStartsRead.back(), size->lineEdit()->maxLength());

    // The box's menu pastes the same way, and says whether there is a text without reading it.
    text->setText(QStringLiteral("x"));
    text->setCursorPosition(0);
    services.clipboard = QStringLiteral("😀y");
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste"))) {
                shown = action->isEnabled();
                action->trigger();
            }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            text->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(text, &event);
    EXPECT_TRUE(shown);
    EXPECT_EQ(text->text(), QStringLiteral("😀yx"));
    text->setReadOnly(true);
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text->text(), QStringLiteral("😀yx")) << "nothing into a box that takes no input";
}
