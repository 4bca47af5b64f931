// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file writer that does every step on the real file system but one, which fails with
// a chosen error; a failing temporary file is first written with part of the bytes.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <optional>
#include <ostream>
#include <vector>

#include "document/file_writer.h"

namespace pwtest {

enum class Step { WriteTemporary, SyncFile, RenameOver, SyncFolder, SyncFileSystem };

struct Failure {
    Step step;
    int error;                   // an errno value, such as ENOSPC
    std::size_t afterBytes = 0;  // WriteTemporary: the bytes written before it fails
    int onCall = 0;              // 0: every call of the step fails; n: only the n-th
};

// Test names: "RenameOver EACCES on call 1".
inline void PrintTo(const Failure& f, std::ostream* os) {
    static constexpr const char* kSteps[] = {"WriteTemporary", "SyncFile", "RenameOver",
                                             "SyncFolder", "SyncFileSystem"};
    *os << kSteps[static_cast<int>(f.step)] << " errno " << f.error;
    if (f.afterBytes) *os << " after " << f.afterBytes << " bytes";
    if (f.onCall) *os << " on call " << f.onCall;
}

class FailingWriter : public pw::document::FileWriter {
  public:
    using IoResult = pw::document::IoResult;
    using Path = std::filesystem::path;

    std::optional<Failure> failure;  // none: every step is done for real
    std::vector<Step> steps;         // every step asked for, in order

    IoResult writeTemporary(const Path& target, std::string_view bytes, Path& temp) override {
        if (!fails(Step::WriteTemporary)) return system().writeTemporary(target, bytes, temp);
        system().writeTemporary(target,
                                bytes.substr(0, std::min(failure->afterBytes, bytes.size())), temp);
        return failed();
    }
    IoResult syncFile(const Path& file) override {
        return fails(Step::SyncFile) ? failed() : system().syncFile(file);
    }
    IoResult syncFileSystem(const Path& anyFile) override {
        return fails(Step::SyncFileSystem) ? failed() : system().syncFileSystem(anyFile);
    }
    IoResult renameOver(const Path& temp, const Path& target) override {
        return fails(Step::RenameOver) ? failed() : system().renameOver(temp, target);
    }
    IoResult syncFolder(const Path& folder) override {
        return fails(Step::SyncFolder) ? failed() : system().syncFolder(folder);
    }
    void removeTemporary(const Path& temp) override { system().removeTemporary(temp); }

  private:
    static pw::document::FileWriter& system() { return pw::document::systemFileWriter(); }
    bool fails(Step step) {  // asked from the conversion's threads at once
        const std::lock_guard lock(mutex_);
        steps.push_back(step);
        if (!failure || failure->step != step) return false;
        return failure->onCall == 0 || ++calls_ == failure->onCall;
    }
    int calls_ = 0;
    std::mutex mutex_;
    IoResult failed() const { return IoResult{std::strerror(failure->error)}; }
};

}  // namespace pwtest
