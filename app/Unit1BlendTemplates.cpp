// The blend of two colours and the template colour list.

#include "Unit1.h"
#include "color/Blend.h"
#include "color/Templates.h"
#include "ui_Unit1.h"

#include <QListWidget>
#include <QSlider>

void TfrmMain::pnlBlendColor1Click() {
    Guard([this] {
        ui->pnlBlendColor1->setColor(tinsora::PackColor(CurrentColor()));
        UpdateBlend();
    });
}

void TfrmMain::pnlBlendColor2Click() {
    Guard([this] {
        ui->pnlBlendColor2->setColor(tinsora::PackColor(CurrentColor()));
        UpdateBlend();
    });
}

void TfrmMain::barBlendChange() {
    Guard([this] { UpdateBlend(); });
}

void TfrmMain::UpdateBlend() {
    const tinsora::ColorRGB result = tinsora::BlendColors(
        ui->pnlBlendColor1->color(), ui->pnlBlendColor2->color(), ui->barBlend->value());
    ui->pnlBlendColor3->setColor(tinsora::PackColor(result));
}

void TfrmMain::pnlBlendColor3Click() {
    Guard([this] { SetCurrentColor(tinsora::UnpackColor(ui->pnlBlendColor3->color())); });
}

void TfrmMain::lstColorSampleClick() {
    Guard([this] {
        const int k = ui->lstColorSample->currentRow();
        if (k < 0)
            return;
        const std::string& line =
            tinsora::TemplateColorLine(templateLines, static_cast<std::size_t>(k));
        SetCurrentColor(tinsora::TemplateColor(line));
    });
}
