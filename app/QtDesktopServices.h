#pragma once

#include "DesktopServices.h"

/// The real desktop.
class QtDesktopServices final : public DesktopServices {
public:
    bool askRetryCancel(QWidget* parent, const QString& caption, const QString& text) override;
    bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    std::optional<QString> chooseOpenFile(QWidget* parent,
                                          const FileDialogRequest& request) override;
    std::optional<QString> chooseSaveFile(QWidget* parent,
                                          const FileDialogRequest& request) override;
    std::optional<SaveFileChoice> chooseSaveFileAndFilter(QWidget* parent,
                                                          const FileDialogRequest& request,
                                                          const QString& filter) override;
    void setClipboardText(const QString& text) override;
    void setClipboardUtf8(const QByteArray& utf8) override;
    std::optional<QString> clipboardText() override;
    bool clipboardHasText() override;
    int screenWidth() override;
    bool openUrl(const QUrl& url, OpenFailed failed) override;

    // The screen, for the eyedropper.
    std::vector<ScreenGrab> grabScreens() override;
    QPointF pointerPosition() override;
    void setPointerPosition(const QPoint& position) override;
    bool pickColorFromDesktop(QWidget* parent, const DesktopPickDone& done) override;
};
