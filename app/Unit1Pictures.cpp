// The pictures: the base colour map under the scroll bars, the four corner
// colours with their square, the strip of gradient colours, and picking.

#include "ClickablePanel.h"
#include "MarkerOverlay.h"
#include "PictureBox.h"
#include "Unit1.h"
#include "gradient/Pictures.h"
#include "ui_Unit1.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

namespace {

QImage NewPicture(int width, int height) {
    return QImage(width, height, QImage::Format_RGB32);
}

std::uint32_t* Pixels(QImage& image) {
    return reinterpret_cast<std::uint32_t*>(image.bits());
}

std::ptrdiff_t Stride(const QImage& image) {
    return image.bytesPerLine() / 4;
}

} // namespace

void TfrmMain::ConnectPictures() {
    connect(ui->picBasGrad, &MarkerOverlay::mousePressed, this, &TfrmMain::picBasGradMouseDown);
    connect(ui->picBasGrad, &MarkerOverlay::mouseMoved, this, &TfrmMain::picBasGradMouseMove);
    connect(ui->picBasGrad, &MarkerOverlay::mouseReleased, this, &TfrmMain::picBasGradMouseUp);
    connect(ui->picRectGrad, &MarkerOverlay::mousePressed, this, &TfrmMain::picRectGradMouseDown);
    connect(ui->picRectGrad, &MarkerOverlay::mouseMoved, this, &TfrmMain::picRectGradMouseMove);
    connect(ui->picRectGrad, &MarkerOverlay::mouseReleased, this, &TfrmMain::picRectGradMouseUp);
    connect(ui->img4Grad, &PictureBox::mousePressed, this, &TfrmMain::img4GradMouseDown);
    connect(ui->pnlGraColor, &ClickablePanel::clicked, this, &TfrmMain::pnlGraColorClick);
    connect(ui->cmbColorIndex, &QComboBox::currentTextChanged, this,
            &TfrmMain::cmbColorIndexChange);
    ClickablePanel* corners[] = {ui->pnlCol1, ui->pnlCol2, ui->pnlCol3, ui->pnlCol4};
    for (int k = 0; k < 4; ++k) {
        const int corner = k + 1;
        connect(corners[k], &ClickablePanel::mousePressed, this,
                [this, corner] { pnlColMouseDown(corner); });
        connect(corners[k], &ClickablePanel::mouseReleased, this,
                [this, corner] { pnlColMouseUp(corner); });
    }
}

void TfrmMain::DrawBaseColorMap() {
    QImage image = NewPicture(tinsora::kBaseMapWidth, tinsora::kBaseMapHeight);
    tinsora::DrawBaseColorMap(Pixels(image), Stride(image));
    ui->imgBasGrad->setImage(image);
}

void TfrmMain::DrawColorStrip() {
    QImage image = NewPicture(tinsora::kStripWidth, tinsora::kStripHeight);
    tinsora::DrawColorStrip(Pixels(image), Stride(image), lastGradColor, gradColors);
    ui->img4Grad->setImage(image);
}

void TfrmMain::DrawCornerGradient() {
    QImage image = NewPicture(tinsora::kSquareSize, tinsora::kSquareSize);
    tinsora::DrawCornerGradient(Pixels(image), Stride(image), gradColors);
    ui->imgRectGrad->setImage(image);
}

void TfrmMain::ShowCornerColor(int k) {
    ClickablePanel* corners[] = {ui->pnlCol1, ui->pnlCol2, ui->pnlCol3, ui->pnlCol4};
    corners[k - 1]->setColor(tinsora::PackColor(gradColors[static_cast<std::size_t>(k - 1)]));
    DrawColorStrip();
}

void TfrmMain::PickBaseColor(int x, int y) {
    ui->picBasGrad->setMarker(QPoint(x, y));
    SetCurrentColor(tinsora::BaseMapColor(x, y));
}

void TfrmMain::picBasGradMouseDown(int x, int y) {
    Guard([this, x, y] {
        PickBaseColor(x, y);
        pickerDragging = true;
    });
}

void TfrmMain::picBasGradMouseMove(int x, int y) {
    Guard([this, x, y] {
        if (!pickerDragging)
            return;
        PickBaseColor(std::clamp(x, 0, tinsora::kBaseMapWidth),
                      std::clamp(y, 0, tinsora::kBaseMapHeight));
    });
}

void TfrmMain::picBasGradMouseUp() {
    pickerDragging = false;
}

void TfrmMain::PickGradientColor(int x, int y, PickSource source) {
    tinsora::ColorRGB c;
    if (source == PickSource::Square) {
        ui->picRectGrad->setMarker(QPoint(x, y));
        c = tinsora::SquareColor(x, y, gradColors);
    } else {
        c = tinsora::StripColor(x, lastGradColor, gradColors);
    }
    ui->pnlGraColor->setColor(tinsora::PackColor(c));
    const QString prefix =
        ui->mnuOptionSharp->isChecked() ? QStringLiteral("#") : QStringLiteral(" ");
    ui->lblHex3->setText(prefix + QString::fromStdString(tinsora::ChannelToHex(c.Red) +
                                                         tinsora::ChannelToHex(c.Green) +
                                                         tinsora::ChannelToHex(c.Blue)));
    ui->lblRn3->setText(QStringLiteral("R( %1 )").arg(c.Red));
    ui->lblGn3->setText(QStringLiteral("G( %1 )").arg(c.Green));
    ui->lblBn3->setText(QStringLiteral("B( %1 )").arg(c.Blue));
}

void TfrmMain::picRectGradMouseDown(int x, int y) {
    Guard([this, x, y] {
        PickGradientColor(x, y, PickSource::Square);
        pickerDragging = true;
    });
}

void TfrmMain::picRectGradMouseMove(int x, int y) {
    Guard([this, x, y] {
        if (!pickerDragging)
            return;
        PickGradientColor(std::clamp(x, 0, tinsora::kSquareSize - 1),
                          std::clamp(y, 0, tinsora::kSquareSize - 1), PickSource::Square);
    });
}

void TfrmMain::picRectGradMouseUp() {
    pickerDragging = false;
}

void TfrmMain::img4GradMouseDown(int x, int y) {
    Guard([this, x, y] { PickGradientColor(x, y, PickSource::Strip); });
}

void TfrmMain::pnlGraColorClick() {
    Guard([this] { SetCurrentColor(tinsora::UnpackColor(ui->pnlGraColor->color())); });
}

void TfrmMain::cmbColorIndexChange() {
    Guard([this] {
        const QString text = ui->cmbColorIndex->currentText();
        if (text.isEmpty())
            return;
        const int v = tinsora::TextToInt(text.toStdString());
        lastGradColor = v < 2 ? 1 : v > 4 ? 3 : v - 1;
        DrawColorStrip();
    });
}

void TfrmMain::pnlColMouseDown(int corner) {
    Guard([this, corner] {
        ClickablePanel* corners[] = {ui->pnlCol1, ui->pnlCol2, ui->pnlCol3, ui->pnlCol4};
        corners[corner - 1]->setFrameShadow(QFrame::Sunken);
    });
}

void TfrmMain::pnlColMouseUp(int corner) {
    Guard([this, corner] {
        ClickablePanel* corners[] = {ui->pnlCol1, ui->pnlCol2, ui->pnlCol3, ui->pnlCol4};
        corners[corner - 1]->setFrameShadow(QFrame::Raised);
        gradColors[static_cast<std::size_t>(corner - 1)] = CurrentColor();
        ShowCornerColor(corner);
        DrawCornerGradient();
    });
}
