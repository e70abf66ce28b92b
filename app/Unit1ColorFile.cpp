// Saving the current colour to a colour set file and loading it back.

#include "DesktopServices.h"
#include "ReadFile.h"
#include "SaveFile.h"
#include "Unit1.h"
#include "color/ColorSetFile.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QScrollBar>

namespace {

const QString kColorSetFilter = QStringLiteral("ティンソラ色情報ファイル(*.tcs)");

} // namespace

void TfrmMain::mnuLoadColorClick() {
    Guard([this] {
        FileDialogRequest request{{kColorSetFilter}, QString(), openDialogColFileName};
        const auto chosen = services.chooseOpenFile(this, request);
        OpenDialogColClose();
        if (chosen && !chosen->isEmpty())
            LoadColorFile(*chosen);
    });
}

void TfrmMain::OpenDialogColClose() {
    openDialogColFileName.clear();
}

void TfrmMain::mnuSaveColorClick() {
    Guard([this] {
        FileDialogRequest request{{kColorSetFilter}, QStringLiteral("tcs"), saveDialogColFileName};
        const auto chosen = services.chooseSaveFile(this, request);
        if (!chosen || chosen->isEmpty())
            return;
        saveDialogColFileName = *chosen;
        SaveColorFile(*chosen);
    });
}

void TfrmMain::LoadColorFile(const QString& path) {
    // Only as far as three lines can reach, whatever follows them.
    const auto lines =
        tinsora::ColorSetFileLines(ReadRegularFile(path, tinsora::kColorSetFileReadLimit).bytes);
    // Each channel is set before the next line is looked at.
    QScrollBar* bars[] = {ui->ScrollBarR, ui->ScrollBarG, ui->ScrollBarB};
    for (int k = 0; k < 3; ++k)
        bars[k]->setValue(tinsora::ClampChannel(tinsora::ColorSetFileChannel(lines, k)));
}

void TfrmMain::SaveColorFile(const QString& path) {
    SaveFileBytes(path, tinsora::ColorSetFileBytes(CurrentColor()));
}
