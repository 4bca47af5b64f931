// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scanning a library: files, folders (recursively) and archives, read on every core,
// with results in an order that does not depend on the number of threads.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/targets.h"
#include "library/inputs.h"
#include "library/source.h"
#include "library/triage.h"

namespace pw::library {

// What reading found in one preset; nothing here depends on a target.
struct Preset {
    Source source;
    // The folders between the folder scanned and the file, "Metal/Leads"; "" for a file
    // in it or named itself.
    std::string folder;
    std::string model;  // "RP355"; "" when no root name occurs
    std::string name;   // the patch name (the first Name element)
    std::size_t rows = 0;
    // Catalogue names of the models the rows select (amp, cabinet, effects), each once,
    // in row order. They point into the built-in catalogue.
    std::vector<std::string_view> uses;
    // What it is, from its rows: "high gain, ambient" ("" for a preset without an amp).
    std::string style;
    // The two halves of a keyed 128-bit hash over (ID, Position, Value) of every row, in
    // order (rows_key.h): equal rows, equal keys, and rows that differ never meet.
    std::uint64_t rowsKey = 0;
    std::uint64_t rowsKeyHigh = 0;
    // The same rows' key as every process computes it (rows_key.h): what the user's
    // marks are kept by, from one run to the next.
    std::uint64_t contentKey = 0;
    // The size and modification time (nanoseconds) of the file read: the pack's for a
    // member. A file found the same again need not be read again.
    std::int64_t fileSize = 0;
    std::int64_t fileModified = 0;
    bool readable = false;
    std::string readProblem;       // why it could not be read, when !readable
    std::string bytes;             // the preset's bytes, with ScanOptions::keepBytes
    std::optional<Triage> triage;  // with ScanOptions::target
};

struct ScanCounts {
    std::size_t presets = 0;   // presets delivered (readable or not)
    std::size_t readable = 0;  // presets that could be read, delivered or not
    std::size_t skipped = 0;   // files and members without a preset extension
    std::size_t archives = 0;  // archives opened
    std::size_t folders = 0;   // folders listed
    std::size_t unreadableFolders = 0;
    std::size_t filtered = 0;  // presets left out by ScanOptions::query
    std::size_t recalled = 0;  // files (presets and packs) not read: ScanOptions::known
};

struct ScanProgress {
    std::size_t filesDone = 0;   // files (presets and archives) read so far
    std::size_t filesTotal = 0;  // files to read, once the folders have been listed
    std::size_t presets = 0;     // presets delivered so far
};

struct Query;

// A preset as the library and its owners share it, once read.
using PresetPtr = std::shared_ptr<const Preset>;

// What an earlier scan found in one file (a preset, or every preset of a pack), triaged
// against the target of this one: while the file's size and modification time are the
// same, its presets are taken as they are and the file is not read.
struct KnownFile {
    std::int64_t size = 0;
    std::int64_t modified = 0;
    std::vector<Preset> presets;  // each with its triage, in the order read
};
// Looked up by a path's text without copying it.
struct PathTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>()(text);
    }
};
using KnownFiles = std::unordered_map<std::string, KnownFile, PathTextHash,
                                      std::equal_to<>>;  // by the file's path

struct ScanOptions {
    const document::Target* target = nullptr;  // triage every preset against it when set
    char amp = 0;                              // 'A', 'B' or 0
    bool keepBytes = false;                    // keep each preset's bytes (re-triage, open)
    bool collect = true;                       // gather every preset into ScanResult
    const Query* query = nullptr;              // deliver only the presets it matches
    // Files not to read again (not with a query): each file found as it was is taken out
    // of it, its presets with it. Asked for once the inputs are listed, so that finding
    // them may overlap the listing.
    std::function<KnownFiles*()> known;
    unsigned threads = 0;  // 0: every core
};

struct ScanCallbacks {
    // Presets as they are read, in the final order, a batch at a time. Called from a
    // worker thread, never two calls at once; the span lives during the call only.
    // A batch's presets may be taken (moved from) when the scan does not collect them.
    std::function<void(std::span<Preset>)> batch;
    // Called the same way, after each batch and once the folders are listed.
    std::function<void(const ScanProgress&)> progress;
};

struct ScanResult {
    std::vector<Preset> presets;  // in order: inputs as given, folders by name, members
                                  // as stored (empty unless ScanOptions::collect)
    std::vector<ScanProblem> problems;
    ScanCounts counts;
    bool cancelled = false;
    std::size_t filesRead = 0;   // files (presets and archives) read to their end
    std::size_t filesTotal = 0;  // files listed (of the folders listed when cancelled)
};

// Scans `inputs`. `cancel` (may be null) stops the scan soon after it becomes true;
// what was read until then is returned. Nothing is ever written.
ScanResult scan(const std::vector<std::filesystem::path>& inputs, const ScanOptions& options,
                const ScanCallbacks& callbacks = {}, const std::atomic<bool>* cancel = nullptr);

}  // namespace pw::library
