// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reopening a known folder: what the index remembers of its files set against what the
// file system holds now, by size and modification time, so that only what changed is
// read again.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "collection/collection_store.h"

namespace pw::collection {

struct FileState {
    std::string file;
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    bool operator==(const FileState&) const = default;
};

struct IndexCheck {
    std::vector<std::string> unchanged;  // the index holds them as they are
    std::vector<std::string> changed;    // other size or time: read again
    std::vector<std::string> added;      // not in the index: read
    std::vector<std::string> gone;       // in the index, not found any more
};

// The size and modification time of each file listed under `inputs` (presets and packs,
// as the library lists them).
std::vector<FileState> currentFiles(const std::vector<std::filesystem::path>& inputs);

// `index` against `now`; a pack is one file, whatever its members.
IndexCheck checkIndex(const std::vector<IndexedPreset>& index, const std::vector<FileState>& now);

}  // namespace pw::collection
