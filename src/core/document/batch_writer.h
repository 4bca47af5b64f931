// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Many files replaced whole at once, with one flush of the file system instead of one
// per file: every temporary is written first, then the file system is synced once, then
// every temporary is renamed over its target, then each folder is synced once. A crash at
// any moment leaves every target either as it was or complete.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/file_writer.h"

namespace pw::document {

class BatchWriter {
  public:
    explicit BatchWriter(FileWriter& writer = systemFileWriter()) : writer_(writer) {}
    ~BatchWriter() { discard(); }
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // A file whose temporary has been written, waiting for its place in a batch.
    struct Prepared {
        std::filesystem::path target;
        std::filesystem::path temp;
        IoResult result;  // how writing the temporary went
    };
    // Writes `bytes` into a temporary beside `target`. Safe on any thread at once when
    // the writer is (the system writer is): workers prepare, one thread adds and commits.
    Prepared prepare(std::filesystem::path target, std::string_view bytes) const;
    // Drops a prepared file that will not be added.
    void drop(Prepared& prepared) const;

    // Queues a prepared file; returns its ticket, the index of its result in commit().
    std::size_t add(Prepared prepared);
    std::size_t add(std::filesystem::path target, std::string_view bytes) {
        return add(prepare(std::move(target), bytes));
    }
    std::size_t size() const { return items_.size(); }

    // Puts every queued file in place and empties the queue; the result of each, by
    // ticket. A file that fails leaves its target as it was and no temporary behind.
    std::vector<IoResult> commit();
    // Drops every queued file: no target is touched, no temporary is left.
    void discard();

  private:
    void syncFileSystems();
    void renameAll();
    void syncFolders();
    void fail(Prepared& item, const IoResult& why);

    FileWriter& writer_;
    std::vector<Prepared> items_;
};

}  // namespace pw::document
