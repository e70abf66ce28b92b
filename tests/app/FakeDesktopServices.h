#pragma once

#include "DesktopServices.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <optional>

/// Desktop services whose answers a test scripts beforehand and whose
/// messages it reads afterwards. An unscripted question fails the test.
class FakeDesktopServices final : public DesktopServices {
public:
    struct Box {
        QString caption;
        QString text;
    };

    std::deque<bool> retryCancelAnswers;
    std::deque<bool> okCancelAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<SaveFileChoice>> saveChoiceAnswers;
    bool clipboardBusy = false;
    int screen = 1024;

    std::vector<Box> questions;
    QStringList errors;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    QStringList saveFiltersShown; // the filter each save dialog showed first
    // Nothing: no program owns the clipboard. Read back by a paste, set by a copy.
    std::optional<QString> clipboard;
    int clipboardUtf8Writes = 0; // copies handed over as UTF-8 bytes
    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;           // false: the opener cannot be started
    std::optional<QString> openUrlFailure; // what the opener says afterwards, if it fails

    bool askRetryCancel(QWidget*, const QString& caption, const QString& text) override;
    bool askOkCancel(QWidget*, const QString& caption, const QString& text) override;
    void showError(QWidget*, const QString& text) override { errors << text; }
    std::optional<QString> chooseOpenFile(QWidget*, const FileDialogRequest& request) override;
    std::optional<QString> chooseSaveFile(QWidget*, const FileDialogRequest& request) override;
    std::optional<SaveFileChoice> chooseSaveFileAndFilter(QWidget*,
                                                          const FileDialogRequest& request,
                                                          const QString& filter) override;
    void setClipboardText(const QString& text) override;
    void setClipboardUtf8(const QByteArray& utf8) override;
    std::optional<QString> clipboardText() override;
    int screenWidth() override { return screen; }
    bool openUrl(const QUrl& url, OpenFailed failed) override;

    // The screen, for the eyedropper: scripted pictures and pointer, and the
    // desktop's own pick, whose answer the test gives through desktopPickDone.
    std::vector<ScreenGrab> screens;
    QPointF pointer;
    std::vector<QPoint> pointerMoves;
    bool desktopPickAvailable = false;
    int desktopPickRequests = 0;
    DesktopPickDone desktopPickDone;
    std::vector<ScreenGrab> grabScreens() override { return screens; }
    QPointF pointerPosition() override { return pointer; }
    void setPointerPosition(const QPoint& position) override;
    bool pickColorFromDesktop(QWidget*, DesktopPickDone done) override;
};
