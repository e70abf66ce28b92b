// Saving the current colour to a colour set file and loading it back.

#include "DesktopServices.h"
#include "Unit1.h"
#include "color/ColorSetFile.h"
#include "text/Error.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QFile>
#include <QSaveFile>
#include <QScrollBar>

namespace {

const QString kColorSetFilter = QStringLiteral("ティンソラ色情報ファイル(*.tcs)");

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw tinsora::CannotOpenError(path.toStdString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw tinsora::CannotOpenError(path.toStdString());
    return bytes;
}

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
    const QByteArray bytes = ReadWholeFile(path);
    const auto lines =
        tinsora::ColorSetFileLines(std::string_view(bytes.constData(), bytes.size()));
    // Each channel is set before the next line is looked at.
    QScrollBar* bars[] = {ui->ScrollBarR, ui->ScrollBarG, ui->ScrollBarB};
    for (int k = 0; k < 3; ++k)
        bars[k]->setValue(tinsora::ClampChannel(tinsora::ColorSetFileChannel(lines, k)));
}

void TfrmMain::SaveColorFile(const QString& path) {
    const std::string bytes = tinsora::ColorSetFileBytes(CurrentColor());
    // Written beside the old file and put in its place only when complete, so
    // a failed write never leaves a short file where a good one stood.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw tinsora::CannotCreateError(path.toStdString());
    const auto size = static_cast<qint64>(bytes.size());
    // A full disk can end a write short without an error being reported, so
    // the size on disk is checked before the old file is replaced.
    if (file.write(bytes.data(), size) != size || !file.flush() || file.size() != size) {
        file.cancelWriting();
        throw tinsora::WriteError();
    }
    if (!file.commit())
        throw tinsora::WriteError();
}
