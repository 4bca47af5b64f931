// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Many files replaced whole at once, with one flush of the file system instead of one
// per file: every temporary is written first, then the file system is synced once, then
// every temporary is renamed over its target, then each folder is synced once. A crash at
// any moment leaves every target either as it was or complete.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "document/file_writer.h"

namespace pw::document {

class BatchWriter {
  public:
    explicit BatchWriter(FileWriter& writer = systemFileWriter()) : writer_(writer) {}

    // Queues `bytes` for `target`; returns its ticket, the index of its result in commit().
    std::size_t add(std::filesystem::path target, std::string bytes);
    std::size_t size() const { return items_.size(); }

    // Writes every queued file and empties the queue; the result of each, by ticket. A
    // file that fails leaves its target as it was and no temporary behind.
    std::vector<IoResult> commit();

  private:
    struct Item {
        std::filesystem::path target;
        std::string bytes;
        std::filesystem::path temp;
        IoResult result;
    };
    void writeTemporaries();
    void syncFileSystems();
    void renameAll();
    void syncFolders();
    void fail(Item& item, const IoResult& why);

    FileWriter& writer_;
    std::vector<Item> items_;
};

}  // namespace pw::document
