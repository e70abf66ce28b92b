#include "DesktopServices.h"

#include "EyedropperPortal.h"
#include "text/Error.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

namespace {

bool AskTwo(QWidget* parent, const QString& caption, const QString& text,
            QMessageBox::StandardButton yes) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, yes | QMessageBox::Cancel, parent);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == yes;
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::AnyFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // Neither dialog asks whether a file must exist or may be replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

bool QtDesktopServices::askRetryCancel(QWidget* parent, const QString& caption,
                                       const QString& text) {
    return AskTwo(parent, caption, text, QMessageBox::Retry);
}

bool QtDesktopServices::askOkCancel(QWidget* parent, const QString& caption, const QString& text) {
    return AskTwo(parent, caption, text, QMessageBox::Ok);
}

void QtDesktopServices::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ティンソラ"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

std::optional<QString> QtDesktopServices::chooseOpenFile(QWidget* parent,
                                                         const FileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDesktopServices::chooseSaveFile(QWidget* parent,
                                                         const FileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

void QtDesktopServices::setClipboardText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw tinsora::Error("クリップボードを開くことができません");
    clipboard->setText(text);
}

int QtDesktopServices::screenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

// The screen, for the eyedropper.

std::vector<DesktopServices::ScreenGrab> QtDesktopServices::grabScreens() {
    // A Wayland compositor hands out no screen contents; its portal picks instead.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return {};
    std::vector<ScreenGrab> grabs;
    for (QScreen* screen : QGuiApplication::screens()) {
        QImage image = screen->grabWindow(0).toImage();
        if (image.isNull())
            continue;
        const QRect geometry = screen->geometry();
        const qreal scale = screen->devicePixelRatio();
        const QSize expected(qRound(geometry.width() * scale), qRound(geometry.height() * scale));
        // Some platforms grab the whole desktop for window 0: keep this screen's part.
        if (image.width() > expected.width() || image.height() > expected.height())
            image = image.copy(QRect(
                QPoint(qRound(geometry.x() * scale), qRound(geometry.y() * scale)), expected));
        image.setDevicePixelRatio(1.0);
        grabs.push_back({geometry, scale, image.convertToFormat(QImage::Format_RGB32)});
    }
    return grabs;
}

QPointF QtDesktopServices::pointerPosition() {
    return QCursor::pos();
}

void QtDesktopServices::setPointerPosition(const QPoint& position) {
    QCursor::setPos(position);
}

bool QtDesktopServices::pickColorFromDesktop(QWidget* parent, DesktopPickDone done) {
    return PickColorThroughPortal(parent, std::move(done));
}
