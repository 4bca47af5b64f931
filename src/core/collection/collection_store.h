// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's collection, kept between runs in one SQLite database: the folders and packs
// opened, an index of every preset seen there, and the user's marks on each preset
// (favourite, hidden, tags, a note). Marks are keyed by what a preset holds (its rows
// and its patch name), not by where it is, so a preset moved, renamed or copied keeps
// them. The window and the command line share it; two processes may use it at once.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/scan.h"

struct sqlite3;

namespace pw::collection {

// The schema this program writes; a database with a larger number is refused untouched.
inline constexpr int kSchemaVersion = 2;

enum class OpenStatus {
    Opened,        // an existing database, migrated to kSchemaVersion when older
    Created,       // a new, empty database
    Recovered,     // the file was damaged: moved aside (`movedTo`) and a new one made, the
                   // marks of the latest backup restored when there was one
    NewerVersion,  // written by a newer Patchwright: left as it is, the store unavailable
    Unavailable,   // cannot be opened or made (a read-only or full home): no memory
};

struct OpenResult {
    OpenStatus status = OpenStatus::Unavailable;
    std::string detail;              // what went wrong, in words
    std::filesystem::path movedTo;   // for Recovered
    std::filesystem::path restored;  // for Recovered: the backup the marks came from
    bool ok() const {
        return status == OpenStatus::Opened || status == OpenStatus::Created ||
               status == OpenStatus::Recovered;
    }
};

// What a preset is, for its marks: its rows key and its patch name.
struct ContentKey {
    std::uint64_t rowsKey = 0;
    std::string name;
    auto operator<=>(const ContentKey&) const = default;
};

struct Marks {
    bool favourite = false;
    bool hidden = false;
    std::vector<std::string> tags;  // sorted, each once
    std::string note;
    bool operator==(const Marks&) const = default;
    bool empty() const { return !favourite && !hidden && tags.empty() && note.empty(); }
};

// One change made to every preset of a selection at once.
struct MarkChange {
    std::optional<bool> favourite;
    std::optional<bool> hidden;
    std::vector<std::string> addTags;
    std::vector<std::string> removeTags;
    std::optional<std::string> note;
};

// One preset as the index remembers it: a preset that could be read, with what the scan
// found (not its bytes, its folder or its triage) and its status against a target.
struct IndexedPreset {
    library::Preset preset;  // its `uses` stay empty: see `uses`
    std::string uses;        // the models it uses, "; " between them
    library::Triage triage;  // against `target` (a caption, "" for none) and `amp`
    std::string target;
    char amp = 0;
};

// The same, as the library holds it: borrowed for a write, not copied.
struct IndexedView {
    const library::Preset* preset = nullptr;
    std::string_view uses;
    const library::Triage* triage = nullptr;
    std::string_view target;
    char amp = 0;
};

class Store {
  public:
    Store();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // $XDG_DATA_HOME/patchwright/library.sqlite, or ~/.local/share/... without it.
    static std::filesystem::path defaultPath();

    // Opens (or makes, with mode 0600) the database at `path`; see OpenStatus.
    OpenResult open(const std::filesystem::path& path);
    bool available() const { return db_ != nullptr; }
    const std::filesystem::path& path() const { return path_; }

    // The marks of each key given (keys without marks are left out).
    std::map<ContentKey, Marks> marks(std::span<const ContentKey> keys) const;
    // Every preset's marks that has any (a search by marks looks them up).
    std::map<ContentKey, Marks> allMarks() const;
    // Every tag in use, sorted: what the tag editor completes from.
    std::vector<std::string> tags() const;
    // Makes `change` on every key, in one transaction; false (and nothing changed) when
    // the database refused it.
    bool change(std::span<const ContentKey> keys, const MarkChange& change);
    // Puts back marks exactly as they were (an undo), in one transaction.
    bool restore(const std::map<ContentKey, Marks>& before);

    // The folders and packs the user has opened, most recent first.
    bool rememberInput(const std::filesystem::path& input);
    std::vector<std::filesystem::path> inputs() const;

    // The index: what was seen under `input` (a folder or a pack), replaced whole. Rows
    // keys are kept under this process's key (library::rowsKeySecret, adopted from the
    // database when it opens): an index made under another key, or by another version of
    // Patchwright, is not given out, and the first index replaced drops it all.
    bool replaceIndex(const std::filesystem::path& input, std::span<const IndexedPreset> presets);
    bool replaceIndex(const std::filesystem::path& input, std::span<const IndexedView> presets);
    // By file, each file's presets in the order they stand in it.
    std::vector<IndexedPreset> index(const std::filesystem::path& input) const;
    // The same, one preset at a time.
    void index(const std::filesystem::path& input,
               const std::function<void(IndexedPreset&)>& each) const;

    // Copies the database (SQLite's online backup) into `folder` when the newest copy
    // there is older than a day; keeps the `keep` newest. Returns the copy made, if any.
    std::optional<std::filesystem::path> backupIfDue(const std::filesystem::path& folder,
                                                     std::chrono::system_clock::time_point now,
                                                     int keep = 3);
    // Whether PRAGMA integrity_check says "ok".
    bool intact() const;

  private:
    // The keys that have marks or tags.
    std::vector<ContentKey> markedKeys() const;
    // The marks of each of `keys`, a look-up each.
    std::map<ContentKey, Marks> lookUp(std::span<const ContentKey> keys) const;
    // The writes of change() and replaceIndex(), inside their transaction: false at the
    // first that fails.
    bool changeMarks(std::span<const ContentKey> keys, const MarkChange& change);
    bool writeIndex(const std::filesystem::path& input, std::span<const IndexedView> presets);

    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
};

// The text a content key is stored as: the rows key in hexadecimal.
std::string keyText(std::uint64_t rowsKey);

}  // namespace pw::collection
