#pragma once

#include "QtDesktopServices.h"

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
    std::optional<QString> clipboardTextStart(QClipboard::Mode mode, qsizetype units) override;
    int screenWidth() override { return screen; }
    std::vector<QRect> screenAreas() override { return screenPlaces; }
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
    bool pickColorFromDesktop(QWidget*, const DesktopPickDone& done) override;
};

/// The scripted services with a part of the desktop's own: forwards every question
/// to the fake; a test overrides what it wants real, and reaches it through desktop.
class PartlyRealServices : public DesktopServices {
public:
    explicit PartlyRealServices(FakeDesktopServices& fake) : fake(fake) {}
    bool askRetryCancel(QWidget* p, const QString& c, const QString& t) override {
        return fake.askRetryCancel(p, c, t);
    }
    bool askOkCancel(QWidget* p, const QString& c, const QString& t) override {
        return fake.askOkCancel(p, c, t);
    }
    void showError(QWidget* p, const QString& text) override { fake.showError(p, text); }
    std::optional<QString> chooseOpenFile(QWidget* p, const FileDialogRequest& r) override {
        return fake.chooseOpenFile(p, r);
    }
    std::optional<QString> chooseSaveFile(QWidget* p, const FileDialogRequest& r) override {
        return fake.chooseSaveFile(p, r);
    }
    std::optional<SaveFileChoice> chooseSaveFileAndFilter(QWidget* p, const FileDialogRequest& r,
                                                          const QString& f) override {
        return fake.chooseSaveFileAndFilter(p, r, f);
    }
    void setClipboardText(const QString& text) override { fake.setClipboardText(text); }
    void setClipboardUtf8(const QByteArray& utf8) override { fake.setClipboardUtf8(utf8); }
    std::optional<QString> clipboardText() override { return fake.clipboardText(); }
    bool clipboardHasText() override { return fake.clipboardHasText(); }
    int screenWidth() override { return fake.screenWidth(); }
    bool openUrl(const QUrl& url, OpenFailed failed) override {
        return fake.openUrl(url, std::move(failed));
    }

protected:
    FakeDesktopServices& fake;
    QtDesktopServices desktop;
};
