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
    std::vector<QRect> screenPlaces = {QRect(0, 0, 1024, 768)}; // the desktop, screen by screen

    std::vector<Box> questions;
    QStringList errors;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    QStringList saveFiltersShown; // the filter each save dialog showed first
    // Nothing: no program owns the clipboard. Read back by a paste, set by a copy.
    std::optional<QString> clipboard;
    int clipboardUtf8Writes = 0;                // copies handed over as UTF-8 bytes
    std::optional<QString> selection;           // X's selection, read by a middle click
    std::vector<qsizetype> clipboardStartsRead; // the units asked of each partial read
    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;

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
    std::optional<QString> clipboardTextStart(QClipboard::Mode mode, qsizetype units) override;
    int screenWidth() override { return screen; }
    std::vector<QRect> screenAreas() override { return screenPlaces; }
    bool openUrl(const QUrl& url) override {
        openedUrls << url;
        return openUrlSucceeds;
    }

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
