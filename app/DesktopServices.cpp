#include "DesktopServices.h"

#include "text/Error.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
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

bool QtDesktopServices::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
