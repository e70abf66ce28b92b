// Saving the current colour to a colour set file and loading it back.

#include "DesktopServices.h"
#include "SaveFile.h"
#include "Unit1.h"
#include "color/ColorSetFile.h"
#include "text/TextFile.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QScrollBar>

namespace {

QString ColorSetFilter() {
    return TfrmMain::tr("ティンソラ色情報ファイル(*.tcs)");
}

} // namespace

void TfrmMain::mnuLoadColorClick() {
    Guard([this] {
        // The open dialog offers no name: its name is emptied each time it closes.
        FileDialogRequest request{{ColorSetFilter()}, QString(), QString()};
        const auto chosen = services.chooseOpenFile(this, request);
        if (chosen && !chosen->isEmpty())
            LoadColorFile(*chosen);
    });
}

void TfrmMain::mnuSaveColorClick() {
    Guard([this] {
        FileDialogRequest request{{ColorSetFilter()}, QStringLiteral("tcs"), saveDialogColFileName};
        const auto chosen = services.chooseSaveFile(this, request);
        if (!chosen || chosen->isEmpty())
            return;
        saveDialogColFileName = *chosen;
        SaveColorFile(*chosen);
    });
}

void TfrmMain::LoadColorFile(const QString& path) {
    // Only as far as three lines can reach, whatever follows them; each channel
    // is set before the next line is looked at.
    QScrollBar* bars[] = {ui->ScrollBarR, ui->ScrollBarG, ui->ScrollBarB};
    tinsora::ReadColorSetFile(
        tinsora::ReadFileText(path.toStdString(), tinsora::kColorSetFileReadLimit,
                              tinsora::FileKind::Regular)
            .bytes,
        [&](int channel, std::int32_t value) { bars[channel]->setValue(value); });
}

void TfrmMain::SaveColorFile(const QString& path) {
    SaveFileBytes(path, tinsora::ColorSetFileBytes(CurrentColor()));
}
