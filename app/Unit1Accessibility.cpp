// The window for the keyboard and for screen readers: the order Tab goes in,
// "作成" on F5 and on Enter in the boxes it reads, and a name (and where a
// name is not enough, a description) for every control.

#include "ClickableLabel.h"
#include "ClickablePanel.h"
#include "HtmlTextView.h"
#include "MarkerOverlay.h"
#include "PictureBox.h"
#include "Unit1.h"
#include "UpDown.h"
#include "ui_Unit1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

void Name(QWidget* widget, const QString& name, const QString& description = QString()) {
    widget->setAccessibleName(name);
    if (!description.isEmpty())
        widget->setAccessibleDescription(description);
}

// An editable combo box: the box, its field and its list all by one name.
void NameCombo(QComboBox* box, const QString& name) {
    box->setAccessibleName(name);
    if (box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
    box->view()->setAccessibleName(name);
}

// A box beside its caption: named by it, as a label with a buddy names its box.
void NameByCaption(QLabel* caption, QLineEdit* box) {
    caption->setBuddy(box);
    box->setAccessibleName(caption->text());
}

void NameArrows(UpDown* arrows, const QString& up, const QString& down) {
    arrows->upButton()->setAccessibleName(up);
    arrows->downButton()->setAccessibleName(down);
}

} // namespace

void TfrmMain::ConnectAccessibility() {
    ConnectKeyboard();
    NameControls();
}

void TfrmMain::ConnectKeyboard() {
    // Where Tab goes: the colour editor in its own order, then the pages at the
    // left, the pages at the right, "作成" after whichever page is shown, and the pane.
    QWidget* const order[] = {
        ui->ScrollBarR, ui->ScrollBarG, ui->ScrollBarB, ui->edtRn, ui->edtGn, ui->edtBn, ui->edtRh,
        ui->edtGh, ui->edtBh, ui->picBasGrad, ui->pnlRGB, ui->lblHex, ui->udColor, ui->btnColorCopy,
        ui->btnHanten,
        // The gradient colours, the blend, the templates.
        ui->PageControl2->tabBar(), ui->pnlCol1, ui->pnlCol2, ui->pnlCol3, ui->pnlCol4,
        ui->picRectGrad, ui->pnlGraColor, ui->pnlBlendColor1, ui->pnlBlendColor2, ui->barBlend,
        ui->pnlBlendColor3, ui->lstColorSample,
        // The BODY tag, gradient text and its options, the gradient table.
        ui->PageControl1->tabBar(), ui->lblBgcolor, ui->lblText, ui->lblLink, ui->lblVlink,
        ui->lblAlink, ui->rbtnGraTextMoji, ui->edtGraText, ui->rbtnGraTextFile, ui->edtTextFileName,
        ui->btnOpenTextFile, ui->cmbColorIndex, ui->img4Grad, ui->chkBold, ui->chkItalic,
        ui->chkUnderline, ui->chkStrikeOut, ui->chkTT, ui->chkBlink, ui->chkTateIchi, ui->rbtnSUP,
        ui->rbtnSUB, ui->chkMarquee, ui->rbtnM_L, ui->rbtnM_R, ui->rbtnM_Scroll, ui->rbtnM_Slide,
        ui->rbtnM_Hanten, ui->rbtnChar, ui->rbtnString, ui->cmbMojiSize, ui->edtTD, ui->edtTR,
        ui->edtKeisen, ui->edtYohaku, ui->edtCellWidth, ui->edtCellHeight, ui->memTableHelp,
        // "作成" and the output.
        ui->SpeedButton2, ui->txtHTML, ui->chkRN, ui->btnClipCopyHTML, ui->btnClear,
        ui->btnCancelHTML};
    QWidget* const reachable[] = {ui->picBasGrad, ui->picRectGrad, ui->img4Grad, ui->udColor,
                                  ui->lblHex};
    for (QWidget* w : reachable)
        w->setFocusPolicy(Qt::TabFocus);
    for (std::size_t k = 1; k < std::size(order); ++k)
        setTabOrder(order[k - 1], order[k]);
    ui->ScrollBarR->setFocus();

    // "作成" on F5, from anywhere in the window (the pane takes no F key), and on
    // Enter in the boxes it reads.
    auto* create = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(create, &QShortcut::activated, this, [this] {
        if (ui->SpeedButton2->isVisibleTo(this) && ui->SpeedButton2->isEnabled())
            ui->SpeedButton2->click();
    });
    for (QLineEdit* box : {ui->edtGraText, ui->edtTD, ui->edtTR, ui->edtKeisen, ui->edtYohaku,
                           ui->edtCellWidth, ui->edtCellHeight})
        connect(box, &QLineEdit::returnPressed, this, &TfrmMain::SpeedButton2Click);
}

void TfrmMain::NameControls() {
    ui->SpeedButton2->setToolTip(tr("表示しているページのHTMLを作成します (F5)"));
    // The tool bar and the colour editor.
    Name(ui->tbtnWindowMin, tr("ウィンドウを最小にする"), tr("色の編集だけを表示します (Ctrl+S)"));
    Name(ui->tbtnWindowBas, tr("ウィンドウを標準にする"),
         tr("色の編集と左のページを表示します (Ctrl+M)"));
    Name(ui->tbtnWindowMax, tr("ウィンドウを拡張にする"), tr("すべてを表示します (Ctrl+L)"));
    Name(ui->tbtnEyedropper, tr("画面から色を取る"));
    Name(ui->tbtnHelp, tr("目次"));
    const QString channels[] = {tr("赤"), tr("緑"), tr("青")};
    QScrollBar* bars[] = {ui->ScrollBarR, ui->ScrollBarG, ui->ScrollBarB};
    QLineEdit* decimals[] = {ui->edtRn, ui->edtGn, ui->edtBn};
    QLineEdit* hexes[] = {ui->edtRh, ui->edtGh, ui->edtBh};
    for (std::size_t k = 0; k < 3; ++k) {
        Name(bars[k], channels[k], tr("今の色の%1 (0～255)").arg(channels[k]));
        Name(decimals[k], tr("%1 (10進数)").arg(channels[k]));
        Name(hexes[k], tr("%1 (16進数)").arg(channels[k]));
    }
    Name(ui->picBasGrad, tr("色の地図"),
         tr("クリックした点の色が今の色になります。矢印キーで点を動かします"));
    Name(ui->pnlRGB, tr("今の色"));
    ui->lblHex->setAccessibleDescription(tr("今の色を「色の型」の表記で示します"));
    Name(ui->udColor, tr("色を明るく・暗く"),
         tr("色を明るくしたり暗くしたりできます (上下の矢印キー)"));
    NameArrows(ui->udColor, tr("明るくする"), tr("暗くする"));
    Name(ui->btnHanten, tr("色を反転"));
    Name(ui->btnColorCopy, tr("色をクリップボードにコピー"));

    // The pages at the left.
    Name(ui->PageControl2, tr("色のページ"));
    const QString corners[] = {tr("グラデーションの色1 (左上)"), tr("グラデーションの色2 (右上)"),
                               tr("グラデーションの色3 (左下)"), tr("グラデーションの色4 (右下)")};
    ClickablePanel* cornerPanels[] = {ui->pnlCol1, ui->pnlCol2, ui->pnlCol3, ui->pnlCol4};
    for (std::size_t k = 0; k < 4; ++k) {
        Name(cornerPanels[k], corners[k]);
        cornerPanels[k]->setClickHint(tr("クリックすると今の色をこの色にします"));
    }
    Name(ui->picRectGrad, tr("四隅のグラデーション"),
         tr("クリックした点の色を「色の情報」に示します。矢印キーで点を動かします"));
    Name(ui->pnlGraColor, tr("色の情報の色"));
    ui->pnlGraColor->setClickHint(tr("クリックするとこの色を今の色にします"));
    Name(ui->pnlBlendColor1, tr("合成する色1"));
    Name(ui->pnlBlendColor2, tr("合成する色2"));
    for (ClickablePanel* p : {ui->pnlBlendColor1, ui->pnlBlendColor2})
        p->setClickHint(tr("クリックすると今の色をここに入れます"));
    Name(ui->barBlend, tr("合成の割合"), tr("左が色1、右が色2です"));
    Name(ui->pnlBlendColor3, tr("合成した色"));
    ui->pnlBlendColor3->setClickHint(tr("クリックするとこの色を今の色にします"));
    Name(ui->lstColorSample, tr("テンプレート"), tr("選んだ色が今の色になります"));

    // The pages at the right.
    Name(ui->PageControl1, tr("HTMLのページ"));
    for (ClickableLabel* role :
         {ui->lblBgcolor, ui->lblText, ui->lblLink, ui->lblVlink, ui->lblAlink})
        role->setAccessibleDescription(tr("クリックすると今の色をこの色にします"));
    Name(ui->imgBody, tr("BODYの色の見本"));
    Name(ui->edtGraText, tr("グラデーションさせる文字列"));
    Name(ui->edtTextFileName, tr("テキストファイル名"));
    Name(ui->btnOpenTextFile, tr("テキストファイルを選ぶ"));
    ui->lblColorCount->setBuddy(ui->cmbColorIndex);
    NameCombo(ui->cmbColorIndex, ui->lblColorCount->text());
    Name(ui->img4Grad, tr("使用する色"),
         tr("クリックした点の色を「色の情報」に示します。矢印キーで点を動かします"));
    Name(ui->imgGradText, ui->lblPreview->text());
    ui->lblSizeHint->setBuddy(ui->cmbMojiSize);
    NameCombo(ui->cmbMojiSize, tr("サイズ (HTML方式)"));
    NameByCaption(ui->lblTDCaption, ui->edtTD);
    NameByCaption(ui->lblTRCaption, ui->edtTR);
    NameByCaption(ui->lblKeisenCaption, ui->edtKeisen);
    NameByCaption(ui->lblYohakuCaption, ui->edtYohaku);
    NameByCaption(ui->lblCellWidthCaption, ui->edtCellWidth);
    NameByCaption(ui->lblCellHeightCaption, ui->edtCellHeight);
    const struct {
        UpDown* arrows;
        QLabel* caption;
    } tableArrows[] = {{ui->UpDownTD, ui->lblTDCaption},
                       {ui->UpDownTR, ui->lblTRCaption},
                       {ui->UpDownKeisen, ui->lblKeisenCaption},
                       {ui->UpDownYohaku, ui->lblYohakuCaption},
                       {ui->UpDownCellWidth, ui->lblCellWidthCaption},
                       {ui->UpDownCellHeight, ui->lblCellHeightCaption}};
    for (const auto& t : tableArrows) {
        Name(t.arrows, t.caption->text());
        NameArrows(t.arrows, tr("%1を増やす").arg(t.caption->text()),
                   tr("%1を減らす").arg(t.caption->text()));
    }

    // "作成" and the output.
    Name(ui->SpeedButton2, ui->SpeedButton2->text());
    Name(ui->txtHTML, tr("出力されたHTML"),
         tr("作成したHTMLです。編集、コピー、検索 (Ctrl+F) ができます"));
    Name(ui->btnClipCopyHTML, ui->btnClipCopyHTML->text(),
         tr("出力されたHTMLをすべてクリップボードにコピーします"));
    Name(ui->btnClear, ui->btnClear->text(), tr("出力されたHTMLを消します (Ctrl+Zで元に戻せます)"));
    Name(ui->prgHTML, tr("作成や保存の進み具合"));
}
