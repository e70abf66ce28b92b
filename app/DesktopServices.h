#pragma once

#include <QByteArray>
#include <QClipboard>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

/// What a file dialog shows: its filters ("description (*.ext)" entries) and
/// the name it offers; defaultSuffix is added to a name typed without one.
struct FileDialogRequest {
    QStringList filters;
    QString defaultSuffix;
    QString fileName;
};

/// What a save dialog gave: the full path and the filter it was chosen with.
struct SaveFileChoice {
    QString path;
    QString filter;
};

/// The blocking parts of the desktop, behind one interface so that tests can
/// script the answers: message boxes, file dialogs, the clipboard and the
/// screen. The program uses QtDesktopServices; tests use a fake.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    /// A box with Retry (default) and Cancel and no icon; true for Retry.
    virtual bool askRetryCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
    /// A box with OK (default) and Cancel and no icon; true for OK.
    virtual bool askOkCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
    /// The standard error box: the text as given, caption "ティンソラ", error icon, OK.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    /// A modal open dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<QString> chooseOpenFile(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
    /// A modal save dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
    /// A modal save dialog showing filter first (one of the request's); the chosen full path
    /// and filter, or nothing when cancelled.
    virtual std::optional<SaveFileChoice> chooseSaveFileAndFilter(QWidget* parent,
                                                                  const FileDialogRequest& request,
                                                                  const QString& filter) = 0;
    /// Replaces the clipboard's content with a plain text; throws tinsora::Error
    /// ("クリップボードを開くことができません") when the clipboard cannot be used.
    virtual void setClipboardText(const QString& text) = 0;
    /// Replaces the clipboard's content with a plain text given as UTF-8, held as these bytes
    /// (half what the text takes as a QString); throws as setClipboardText.
    virtual void setClipboardUtf8(const QByteArray& utf8) = 0;
    /// The clipboard's plain text: nothing when no program owns the clipboard or it holds no
    /// text, an empty text when it holds one; throws as setClipboardText.
    virtual std::optional<QString> clipboardText() = 0;
    /// The first units UTF-16 code units of the clipboard's (or the selection's) plain text, as
    /// clipboardText; only that much of it is decoded where it can be: a copy of the program's
    /// own, of hundreds of megabytes, is not read whole to take a few characters of it.
    virtual std::optional<QString> clipboardTextStart(QClipboard::Mode mode, qsizetype units);
    /// Whether the clipboard holds a text to paste, asked without reading it where that can
    /// be done (the text may then be empty).
    virtual bool clipboardHasText() {
        const std::optional<QString> text = clipboardText();
        return text && !text->isEmpty();
    }
    /// The full pixel width of the primary screen.
    virtual int screenWidth() = 0;
    /// The place of every screen on the desktop.
    virtual std::vector<QRect> screenAreas();
    /// What the opener of a page said when no browser could show it.
    using OpenFailed = std::function<void(const QString& reason)>;
    /// Opens a URL (a local file) in the user's browser; false when the opener cannot be
    /// started. Where the opener tells later that no browser took the page (one missing, or
    /// one that would not start), failed is called then, on the user-interface thread.
    virtual bool openUrl(const QUrl& url, OpenFailed failed) = 0;

    // The screen, for the eyedropper.
    /// One screen as read: its place on the desktop in logical pixels, its device pixels per
    /// logical pixel, and its picture in device pixels.
    struct ScreenGrab {
        QRect geometry;
        qreal scale = 1.0;
        QImage image;
    };
    // A desktop without a screen to read (the default) has no eyedropper.
    /// The pictures of every screen, taken at once; empty where a program may not read the
    /// screen (a Wayland desktop).
    virtual std::vector<ScreenGrab> grabScreens() { return {}; }
    /// The pointer's place on the desktop in logical pixels.
    virtual QPointF pointerPosition() { return {}; }
    /// Puts the pointer at a place on the desktop in logical pixels.
    virtual void setPointerPosition(const QPoint&) {}
    /// The answer of the desktop's own colour pick: a colour, or none when the user cancelled,
    /// or an error text when the pick failed.
    using DesktopPickDone = std::function<void(std::optional<QColor> color, const QString& error)>;
    /// Asks the desktop to let the user pick a colour from the screen (the desktop portal);
    /// done is called later. False, and done is never called, where there is no such service.
    virtual bool pickColorFromDesktop(QWidget*, const DesktopPickDone&) { return false; }
};
