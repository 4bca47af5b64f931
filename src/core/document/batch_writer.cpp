// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/batch_writer.h"

#include <set>

namespace pw::document {

BatchWriter::Prepared BatchWriter::prepare(std::filesystem::path target,
                                           std::string_view bytes) const {
    Prepared item{std::move(target), {}, {}};
    item.result = writer_.writeTemporary(item.target, bytes, item.temp);
    if (!item.result.ok()) drop(item);
    return item;
}

void BatchWriter::drop(Prepared& item) const {
    if (!item.temp.empty()) writer_.removeTemporary(item.temp);
    item.temp.clear();
}

std::size_t BatchWriter::add(Prepared prepared) {
    items_.push_back(std::move(prepared));
    return items_.size() - 1;
}

void BatchWriter::fail(Prepared& item, const IoResult& why) {
    item.result = why;
    drop(item);
}

// One sync per folder's file system (convert writes into one folder: one sync in all).
// Until it has succeeded nothing has been renamed, so a failure fails every file of the
// folder and leaves its targets as they were.
void BatchWriter::syncFileSystems() {
    std::set<std::filesystem::path> synced;
    for (Prepared& item : items_) {
        if (!item.result.ok() || !synced.insert(folderOf(item.target)).second) continue;
        const IoResult sync = writer_.syncFileSystem(item.temp);
        if (sync.ok()) continue;
        for (Prepared& other : items_)
            if (other.result.ok() && folderOf(other.target) == folderOf(item.target))
                fail(other, sync);
    }
}

void BatchWriter::renameAll() {
    for (Prepared& item : items_) {
        if (!item.result.ok()) continue;
        const IoResult renamed = writer_.renameOver(item.temp, item.target);
        if (!renamed.ok())
            fail(item, renamed);
        else
            item.temp.clear();
    }
}

// As for one file, a folder that cannot be synced leaves the renames' durability to the
// system and is not reported as a failure: every target is already replaced whole.
void BatchWriter::syncFolders() {
    std::set<std::filesystem::path> folders;
    for (const Prepared& item : items_)
        if (item.result.ok()) folders.insert(folderOf(item.target));
    for (const std::filesystem::path& folder : folders)
        writer_.syncFolder(folder);
}

std::vector<IoResult> BatchWriter::commit() {
    syncFileSystems();
    renameAll();
    syncFolders();
    std::vector<IoResult> results;
    results.reserve(items_.size());
    for (const Prepared& item : items_)
        results.push_back(item.result);
    items_.clear();
    return results;
}

void BatchWriter::discard() {
    for (Prepared& item : items_)
        drop(item);
    items_.clear();
}

}  // namespace pw::document
