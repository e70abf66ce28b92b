#pragma once

#include <QClipboard>
#include <QObject>

class DesktopServices;
class QComboBox;
class QLineEdit;

/// Pastes into a one-line box only as much of the clipboard as the box's length limit lets in,
/// reading no more of the clipboard than that: a paste of the output pane's copy, hundreds of
/// megabytes, takes no longer than a short one. Ctrl+V, Shift+Insert, a middle click (the
/// selection) and the paste of the box's context menu all come here.
class LineBoxPaste final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineBoxPaste)

public:
    /// Puts it on box for as long as box lives; the clipboard is read through services.
    static void install(QLineEdit* box, DesktopServices& services);
    /// Puts it on an editable combo box and its box: the combo box hands its keys to its box
    /// itself, past any filter on the box.
    static void install(QComboBox* combo, DesktopServices& services);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LineBoxPaste(QLineEdit* box, DesktopServices& services);
    void paste(QClipboard::Mode mode);
    void showMenu(const QPoint& at);

    QLineEdit* box;
    DesktopServices& services;
};
