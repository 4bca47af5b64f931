// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A library's owner in a test: what the library posts waits in a queue that the test
// drains on its own thread, and what the owner hears is kept to be looked at.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "library/library.h"

namespace pwtest {

using namespace pw::library;

class Owner : public LibraryListener {
  public:
    Library::Post post() {
        return [this](std::function<void()> call) {
            const std::lock_guard lock(mutex_);
            queue_.push_back(std::move(call));
            ready_.notify_one();
        };
    }
    // Runs what was posted until `done` holds (false after 60 s).
    template <class Done>
    bool runUntil(Done done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!ready_.wait_until(lock, end, [&] { return !queue_.empty(); })) return false;
            std::function<void()> call = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            call();
        }
        return true;
    }
    void drain() {
        runUntil([this] {
            const std::lock_guard lock(mutex_);
            return queue_.empty();
        });
    }

    void presetsAdded(std::size_t first, std::size_t count) override {
        EXPECT_EQ(first, added);
        EXPECT_EQ(std::this_thread::get_id(), thread);
        added += count;
    }
    void triaged(std::size_t, std::size_t count) override { retriagedRows += count; }
    void progress(const Progress& p) override { stages.push_back(p.stage); }
    void scanned(const ScanReport& r) override { reports.push_back(r); }
    void retriaged(bool cancelled) override { retriages.push_back(cancelled); }
    void searched() override { ++searches; }
    void planned(const ConversionPlan& p) override { plans.push_back(p); }
    void converted(const ConversionRun& r) override { runs.push_back(r); }

    std::thread::id thread = std::this_thread::get_id();
    std::size_t added = 0, retriagedRows = 0, searches = 0;
    std::vector<Stage> stages;
    std::vector<ScanReport> reports;
    std::vector<bool> retriages;
    std::vector<ConversionPlan> plans;
    std::vector<ConversionRun> runs;

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace pwtest
