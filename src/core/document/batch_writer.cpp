// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/batch_writer.h"

#include <set>

namespace pw::document {

namespace {

std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

}  // namespace

std::size_t BatchWriter::add(std::filesystem::path target, std::string bytes) {
    items_.push_back(Item{std::move(target), std::move(bytes), {}, {}});
    return items_.size() - 1;
}

void BatchWriter::fail(Item& item, const IoResult& why) {
    item.result = why;
    if (!item.temp.empty()) writer_.removeTemporary(item.temp);
    item.temp.clear();
}

void BatchWriter::writeTemporaries() {
    for (Item& item : items_) {
        const IoResult written = writer_.writeTemporary(item.target, item.bytes, item.temp);
        if (!written.ok()) fail(item, written);
        item.bytes = std::string();
    }
}

// One sync per folder's file system (convert writes into one folder: one sync in all).
// Until it has succeeded nothing has been renamed, so a failure fails every file of the
// folder and leaves its targets as they were.
void BatchWriter::syncFileSystems() {
    std::set<std::filesystem::path> synced;
    for (Item& item : items_) {
        if (!item.result.ok() || !synced.insert(folderOf(item.target)).second) continue;
        const IoResult sync = writer_.syncFileSystem(item.temp);
        if (sync.ok()) continue;
        for (Item& other : items_)
            if (other.result.ok() && folderOf(other.target) == folderOf(item.target))
                fail(other, sync);
    }
}

void BatchWriter::renameAll() {
    for (Item& item : items_) {
        if (!item.result.ok()) continue;
        const IoResult renamed = writer_.renameOver(item.temp, item.target);
        if (!renamed.ok()) fail(item, renamed);
    }
}

// As for one file, a folder that cannot be synced leaves the renames' durability to the
// system and is not reported as a failure: every target is already replaced whole.
void BatchWriter::syncFolders() {
    std::set<std::filesystem::path> folders;
    for (const Item& item : items_)
        if (item.result.ok()) folders.insert(folderOf(item.target));
    for (const std::filesystem::path& folder : folders)
        writer_.syncFolder(folder);
}

std::vector<IoResult> BatchWriter::commit() {
    writeTemporaries();
    syncFileSystems();
    renameAll();
    syncFolders();
    std::vector<IoResult> results;
    results.reserve(items_.size());
    for (const Item& item : items_)
        results.push_back(item.result);
    items_.clear();
    return results;
}

}  // namespace pw::document
