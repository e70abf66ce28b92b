#include "PaneController.h"

#include "ui_Unit1.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QShortcut>
#include <QTimer>

namespace {

// A run shows its progress once it has taken this long.
constexpr qint64 kShowProgressAfterMs = 500;
constexpr int kProgressTickMs = 50;

} // namespace

PaneController::PaneController(QMainWindow& window_, Ui::TfrmMain& ui_, ShowError showError_)
    : window(window_), ui(ui_), showError(std::move(showError_)), timer(new QTimer(this)),
      cancelKey(new QShortcut(QKeySequence(Qt::Key_Escape), &window)) {
    // The progress of a run takes the place of "コピー" and "クリア" while it is shown.
    ui.prgHTML->hide();
    ui.btnCancelHTML->hide();
    timer->setInterval(kProgressTickMs);
    connect(timer, &QTimer::timeout, this, &PaneController::tick);
    cancelKey->setEnabled(false);
    connect(cancelKey, &QShortcut::activated, this, &PaneController::cancel);
}

PaneController::~PaneController() {
    if (run && saves)
        run->finish();
    stop();
}

void PaneController::start(PaneRun::Work work, Completed completed_,
                           std::function<void()> failed_) {
    stop();
    completed = std::move(completed_);
    failed = std::move(failed_);
    run = std::make_unique<PaneRun>(std::move(work), pause);
    connect(run.get(), &PaneRun::finished, this, &PaneController::finished);
    setRunning(true);
}

void PaneController::startSave(PaneRun::Work work) {
    start(std::move(work), nullptr);
    saves = true;
}

void PaneController::stop() {
    run.reset();
    saves = false;
    closeAfterSave = false;
    completed = nullptr;
    failed = nullptr;
}

void PaneController::cancel() {
    if (run)
        run->cancel();
}

bool PaneController::mayClose() {
    if (!run || !saves)
        return true;
    // A save is never dropped: the window closes once it is through, its progress shown
    // meanwhile. Cancelling it, or its failing, keeps the window open.
    closeAfterSave = true;
    showProgress();
    return false;
}

void PaneController::setRunning(bool running) {
    ui.SpeedButton2->setEnabled(!running);
    ui.chkRN->setEnabled(!running);
    ui.btnClear->setEnabled(!running);
    ui.mnuSaveHTML->setEnabled(!running);
    // What the pane shows stays as it is until the run ends; a save reads it meanwhile.
    ui.txtHTML->setReadOnly(running);
    cancelKey->setEnabled(running);
    if (running) {
        clock.start();
        timer->start();
        ui.prgHTML->setValue(0);
        return;
    }
    timer->stop();
    ui.prgHTML->hide();
    ui.btnCancelHTML->hide();
    ui.btnClipCopyHTML->show();
    ui.btnClear->show();
}

void PaneController::tick() {
    if (!run)
        return;
    ui.prgHTML->setValue(run->progress());
    if (clock.elapsed() >= kShowProgressAfterMs)
        showProgress();
}

void PaneController::showProgress() {
    if (!ui.prgHTML->isHidden())
        return;
    ui.btnClipCopyHTML->hide();
    ui.btnClear->hide();
    ui.prgHTML->show();
    ui.btnCancelHTML->show();
}

void PaneController::finished() {
    const std::unique_ptr<PaneRun> ended = std::move(run);
    const Completed done = std::move(completed);
    const std::function<void()> fail = std::move(failed);
    const bool closeNow = closeAfterSave;
    completed = nullptr;
    failed = nullptr;
    saves = false;
    closeAfterSave = false;
    setRunning(false);
    if (!ended || ended->wasCancelled())
        return;
    try {
        if (const std::exception_ptr error = ended->error()) {
            if (fail)
                fail();
            std::rethrow_exception(error);
        }
        if (done)
            done(ended->takeText());
        if (closeNow)
            window.close();
    } catch (...) {
        showError(std::current_exception());
    }
}
