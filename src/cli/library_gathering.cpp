// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_gathering.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "library/duplicates.h"

namespace pw::cli {
namespace {

// The owner's side of the library: its posts wait in a queue this thread runs.
class Owner : public library::LibraryListener {
  public:
    explicit Owner(const std::function<void(const library::Progress&)>& progress)
        : progress_(progress) {}

    library::Library::Post post() {
        return [this](std::function<void()> call) {
            const std::lock_guard lock(mutex_);
            queue_.push_back(std::move(call));
            ready_.notify_one();
        };
    }
    // Runs what is posted until the scan is over, cancelling it once `interrupted`.
    void run(const library::CancelToken& cancel, const std::atomic<bool>& interrupted) {
        while (!report_) {
            if (interrupted) cancel.cancel();
            std::unique_lock lock(mutex_);
            if (!ready_.wait_for(lock, std::chrono::milliseconds(50),
                                 [&] { return !queue_.empty(); }))
                continue;
            std::function<void()> call = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            call();
        }
    }
    library::ScanReport& report() { return *report_; }

    void presetsAdded(std::size_t, std::size_t) override {}
    void triaged(std::size_t, std::size_t) override {}
    void progress(const library::Progress& p) override { progress_(p); }
    void scanned(const library::ScanReport& report) override { report_ = report; }
    void retriaged(bool) override {}
    void searched() override {}
    void planned(const library::ConversionPlan&) override {}
    void converted(const library::ConversionRun&) override {}

  private:
    const std::function<void(const library::Progress&)>& progress_;
    std::optional<library::ScanReport> report_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace

Gathered gatherLibrary(std::vector<std::filesystem::path> inputs, library::TriageSettings settings,
                       std::optional<library::Query> only,
                       const std::function<void(const library::Progress&)>& progress,
                       const std::atomic<bool>& interrupted) {
    Owner owner(progress);
    library::Library library(owner.post(), owner, settings);
    const library::CancelToken cancel;
    if (interrupted) cancel.cancel();
    library.scan(std::move(inputs), cancel, std::move(only));
    owner.run(cancel, interrupted);

    Gathered out;
    library::ScanReport& report = owner.report();
    out.scan.problems = std::move(report.problems);
    out.scan.counts = report.counts;
    out.scan.cancelled = report.cancelled;
    out.scan.filesRead = report.filesRead;
    out.scan.filesTotal = report.filesTotal;
    out.scan.presets.reserve(library.presets().size());
    for (std::size_t i = 0; i < library.presets().size(); ++i) {
        out.scan.presets.push_back(*library.presets()[i]);
        out.scan.presets.back().triage = library.triages()[i];
    }
    // A cancelled scan still tells the twins among what it read.
    out.groups =
        report.cancelled ? library::duplicateGroups(out.scan.presets) : library.duplicateGroups();
    return out;
}

}  // namespace pw::cli
