#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tinsora::test {

/// Guards a step that must not block: when the step is not through within
/// the time, the rescue runs (again every 100 ms until the step is through)
/// and fired() says so, so that a blocking regression fails its test instead
/// of hanging it.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds timeout, std::function<void()> rescue)
        : thread_([this, timeout, rescue = std::move(rescue)] {
              std::unique_lock lock(mutex_);
              if (wake_.wait_for(lock, timeout, [this] { return done_; }))
                  return;
              fired_ = true;
              do {
                  lock.unlock();
                  rescue();
                  lock.lock();
              } while (
                  !wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; }));
          }) {}

    ~Watchdog() { Stop(); }

    /// Ends the watch; true when the step was through in time.
    bool Stop() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return !fired_;
    }

    bool fired() const { return fired_; }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> fired_ = false;
    std::thread thread_;
};

#ifndef _WIN32
/// A rescue for a reader waiting on a FIFO: its writing end opened and closed,
/// so that the reader gets the end of the file.
inline std::function<void()> ReleaseFifo(const std::string& path) {
    return [path] {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    };
}
#endif

/// A rescue for what nothing can release: the test process ends, failing.
inline std::function<void()> EndProcess(const std::string& what) {
    return [what] {
        std::fprintf(stderr, "watchdog: %s did not end in time\n", what.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    };
}

} // namespace tinsora::test
