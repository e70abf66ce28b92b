#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;

/// What a file dialog shows: its filters ("description (*.ext)" entries) and
/// the name it offers; defaultSuffix is added to a name typed without one.
struct FileDialogRequest {
    QStringList filters;
    QString defaultSuffix;
    QString fileName;
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
    /// Replaces the clipboard's content with a plain text; throws tinsora::Error
    /// ("クリップボードを開くことができません") when the clipboard cannot be used.
    virtual void setClipboardText(const QString& text) = 0;
    /// The full pixel width of the primary screen.
    virtual int screenWidth() = 0;
    /// Opens a URL (a local file) in the user's browser; false when it cannot be opened.
    virtual bool openUrl(const QUrl& url) = 0;
};

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
    void setClipboardText(const QString& text) override;
    int screenWidth() override;
    bool openUrl(const QUrl& url) override;
};
