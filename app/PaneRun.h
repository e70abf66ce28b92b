#pragma once

#include "text/TextBuffer.h"

#include <QObject>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <thread>

/// One long piece of work for the output pane, on a thread of its own: a
/// generation, whose text the pane takes once it is complete, or a save of the
/// pane's text. The work reports its progress and learns that it has been
/// cancelled through its Control; finished is emitted on the thread that made
/// the run, and what the work gave (a text, an error) is read there.
class PaneRun final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PaneRun)

public:
    /// What the work is given to report through.
    class Control {
    public:
        /// Ends the work (by an exception of the run's own) once the run has been cancelled.
        void checkCancelled() const;
        /// Reports done of total within the current step; ends the work when cancelled.
        void progress(std::uint64_t done, std::uint64_t total);
        /// Begins a part of the work: the progress reported from here on runs from from to to,
        /// fractions of the whole.
        void beginPart(double from, double to);

    private:
        friend class PaneRun;
        explicit Control(PaneRun& run) : run(run) {}
        PaneRun& run;
        double from = 0;
        double to = 1;
        bool paused = false;
    };
    /// The work: the text a generation made (a save gives an empty one).
    using Work = std::function<tinsora::PreparedText(Control&)>;

    /// Starts the work. pause, when given, is called on the work's thread at its first
    /// progress report (tests hold a run there).
    explicit PaneRun(Work work, std::function<void()> pause = {});
    /// Cancels the work and waits for its thread to end.
    ~PaneRun() override;

    /// Asks the work to stop at its next progress report or write.
    void cancel();
    /// Waits for the work to end by itself (the finished signal then goes nowhere).
    void finish();
    /// How far the work has got, in thousandths.
    int progress() const { return permille.load(std::memory_order_relaxed); }

    // Once finished has been emitted:
    /// Whether the work stopped because it was cancelled.
    bool wasCancelled() const { return cancelled; }
    /// What the work threw, or nothing.
    std::exception_ptr error() const { return failure; }
    /// Hands over the text the work made.
    tinsora::PreparedText takeText() { return std::move(result); }

signals:
    void finished();

private:
    void run(const Work& work);

    std::atomic<bool> cancelRequested{false};
    std::atomic<int> permille{0};
    std::function<void()> pause;
    bool cancelled = false;
    std::exception_ptr failure;
    tinsora::PreparedText result;
    std::thread thread;
};
