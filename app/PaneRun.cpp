#include "PaneRun.h"

#include <QMetaObject>
#include <algorithm>

namespace {

// Thrown through the work when the run has been cancelled; caught only by the run.
struct Cancelled {};

} // namespace

void PaneRun::Control::checkCancelled() const {
    if (run.cancelRequested.load(std::memory_order_relaxed))
        throw Cancelled{};
}

void PaneRun::Control::progress(std::uint64_t done, std::uint64_t total) {
    if (!paused && run.pause) {
        paused = true;
        run.pause();
    }
    checkCancelled();
    const double part =
        total == 0 ? 1.0 : static_cast<double>(std::min(done, total)) / static_cast<double>(total);
    run.permille.store(static_cast<int>(1000.0 * (from + part * (to - from))),
                       std::memory_order_relaxed);
}

void PaneRun::Control::beginPart(double from_, double to_) {
    from = from_;
    to = to_;
    progress(0, 1);
}

PaneRun::PaneRun(Work work, std::function<void()> pause_) : pause(std::move(pause_)) {
    thread = std::thread([this, work = std::move(work)] { run(work); });
}

PaneRun::~PaneRun() {
    cancel();
    if (thread.joinable())
        thread.join();
}

void PaneRun::finish() {
    if (thread.joinable())
        thread.join();
}

void PaneRun::cancel() {
    cancelRequested.store(true, std::memory_order_relaxed);
}

void PaneRun::run(const Work& work) {
    Control control(*this);
    try {
        result = work(control);
        permille.store(1000, std::memory_order_relaxed);
    } catch (const Cancelled&) {
        cancelled = true;
    } catch (...) {
        failure = std::current_exception();
    }
    // Posted to the thread that made the run; dropped if the run is gone by then.
    QMetaObject::invokeMethod(
        this, [this] { emit finished(); }, Qt::QueuedConnection);
}
