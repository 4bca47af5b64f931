// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that runs off the window's thread: one thread per job, asked to stop and joined
// when the job is stopped or goes. Results reach the window through queued calls
// (post), which Qt drops when the window is gone.

#include <QMetaObject>
#include <QObject>
#include <atomic>
#include <functional>
#include <thread>
#include <utility>

namespace pw::ui {

class BackgroundJob {
  public:
    BackgroundJob() = default;
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;
    ~BackgroundJob() { stop(); }

    // Stops the work running, if any, then runs `work` on a thread of its own.
    void start(std::function<void(const std::atomic<bool>& cancel)> work) {
        stop();
        cancel_ = false;
        thread_ = std::thread([this, work = std::move(work)] { work(cancel_); });
    }
    // Asks the work to stop soon; returns at once.
    void cancel() { cancel_ = true; }
    // Asks the work to stop and waits for its thread.
    void stop() {
        cancel_ = true;
        if (thread_.joinable()) thread_.join();
    }
    bool cancelled() const { return cancel_; }

  private:
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};

// Runs `call` on `context`'s thread, later; dropped when `context` is gone by then.
template <typename F>
void post(QObject* context, F&& call) {
    QMetaObject::invokeMethod(context, std::forward<F>(call), Qt::QueuedConnection);
}

}  // namespace pw::ui
