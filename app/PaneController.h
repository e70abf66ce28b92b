#pragma once

#include "PaneRun.h"

#include <QElapsedTimer>
#include <QObject>
#include <exception>
#include <functional>
#include <memory>

class QMainWindow;
class QShortcut;
class QTimer;

namespace Ui {
class TfrmMain;
}

/// The runs of the output pane, one at a time: while one runs, the controls that would start
/// another or change the pane are disabled, and after a moment its progress and a cancel
/// button take the place of the pane's "コピー" and "クリア". A save is never dropped: the window
/// waits for it to close.
class PaneController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PaneController)

public:
    /// Gets the text a generation made.
    using Completed = std::function<void(tinsora::PreparedText&&)>;
    /// Shows the error a run ended with.
    using ShowError = std::function<void(std::exception_ptr)>;

    PaneController(QMainWindow& window, Ui::TfrmMain& ui, ShowError showError);
    /// Lets a save finish and stops a generation.
    ~PaneController() override;

    /// Starts a generation, ending any run before; once it is complete, completed gets the
    /// text it made. One that fails shows its error after failed; a cancelled one changes
    /// nothing.
    void start(PaneRun::Work work, Completed completed, std::function<void()> failed = {});
    /// Starts a save of the pane's text, which reads it until it is done.
    void startSave(PaneRun::Work work);
    /// Whether a generation or a save is running.
    bool running() const { return run != nullptr; }
    /// Asks the run to stop.
    void cancel();
    /// Whether the window may close now; not while a save runs, after which it closes.
    bool mayClose();
    /// Called on the worker's thread when a run first reports progress: tests hold a run there.
    void setPause(std::function<void()> pause_) { pause = std::move(pause_); }

private:
    void finished();
    void tick();
    void showProgress();
    void setRunning(bool running);
    void stop();

    QMainWindow& window;
    Ui::TfrmMain& ui;
    ShowError showError;
    Completed completed;
    std::function<void()> failed;
    std::function<void()> pause;
    QElapsedTimer clock;
    QTimer* timer;
    QShortcut* cancelKey;
    bool saves = false;           // the run writes a file: it is never dropped
    bool closeAfterSave = false;  // the window was closed during the save
    std::unique_ptr<PaneRun> run; // last: ended before the rest goes
};
