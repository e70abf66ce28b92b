#pragma once

#include <QObject>

class QWidget;

/// A window border the user cannot resize, with the caption buttons asked
/// for: the window flags for every platform, and on X11 the window manager
/// hints that Qt's X11 plugin leaves offering resize handles, written again
/// whenever the window is made or shown anew.
class FixedFrame final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FixedFrame)

public:
    enum class Buttons {
        MinimizeAndClose, // a main window: system menu, minimise box, close box
        None,             // a caption bar alone
    };

    /// Gives window its fixed border; window owns what watches it.
    static void install(QWidget* window, Buttons buttons);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FixedFrame(QWidget* window, Buttons buttons);
    void writeHints() const;

    QWidget* window_;
    Buttons buttons_;
};
