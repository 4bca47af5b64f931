// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library as the window and the command line see it: the inputs, the presets read
// from them (held once, shared read-only with the work that runs on other threads), each
// preset's status against the chosen target and amp channel, the duplicate groups, the
// rows a search finds, and what a conversion plans and does.
//
// Every command runs off the calling thread and reports one kind of progress; each takes
// a cancel token. A command started while another of its kind runs supersedes it: the
// older one is cancelled and nothing more of it is delivered. Results reach the thread
// that owns the library once each, through the `Post` it was given, and the library's
// state changes only there, just before its listener hears of it.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/file_writer.h"
#include "document/targets.h"
#include "library/conversion.h"
#include "library/query.h"
#include "library/scan.h"
#include "library/scan_memory.h"

namespace pw::library {

// Asks a command to stop; copies share one flag.
class CancelToken {
  public:
    CancelToken() : flag_(std::make_shared<std::atomic<bool>>(false)) {}
    void cancel() const { *flag_ = true; }
    bool cancelled() const { return *flag_; }
    const std::atomic<bool>& flag() const { return *flag_; }

  private:
    std::shared_ptr<std::atomic<bool>> flag_;
};

enum class Stage { Scanning, Triaging, Searching, Planning, Converting };

struct Progress {
    Stage stage = Stage::Scanning;
    std::size_t done = 0;
    std::size_t total = 0;    // 0 while not known yet
    std::size_t presets = 0;  // a scan's presets read so far
};

struct ScanReport {
    ScanCounts counts;
    std::vector<ScanProblem> problems;
    bool cancelled = false;
    std::size_t filesRead = 0;
    std::size_t filesTotal = 0;
};

// What the owner hears, on its own thread. Rows are numbered as presets() holds them.
class LibraryListener {
  public:
    virtual ~LibraryListener() = default;
    virtual void presetsAdded(std::size_t first, std::size_t count) = 0;
    virtual void triaged(std::size_t first, std::size_t count) = 0;  // new statuses
    virtual void progress(const Progress& progress) = 0;
    virtual void scanned(const ScanReport& report) = 0;  // duplicates are known now
    virtual void retriaged(bool cancelled) = 0;
    virtual void searched() = 0;  // hits() holds the rows found
    virtual void planned(const ConversionPlan& plan) = 0;
    virtual void converted(const ConversionRun& run) = 0;
};

class Library {
  public:
    // Runs a call later on the owner's thread (a queued call, an event loop's queue).
    using Post = std::function<void(std::function<void()>)>;

    Library(Post post, LibraryListener& listener, TriageSettings settings);
    ~Library();  // cancels what runs and waits for it
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // Reads `inputs` anew: the presets held are dropped at once (presetsAdded follows as
    // rows are read, then scanned). Supersedes every command but a conversion. With
    // `only`, the presets it does not match are left out (ScanCounts::filtered).
    void scan(std::vector<std::filesystem::path> inputs, CancelToken cancel = {},
              std::optional<Query> only = {});
    // The same, but a file the memory knows unchanged is not read again: its presets are
    // taken as they were (ScanCounts::recalled). A scan without a query is remembered.
    void open(std::vector<std::filesystem::path> inputs, CancelToken cancel = {});
    // Reads the inputs of the last scan anew, every file.
    void rescan(CancelToken cancel = {});
    // Where scans are remembered and recalled from; none at first.
    void setMemory(std::shared_ptr<ScanMemory> memory);
    // Triages every preset against `settings` (after the scan when one runs).
    void retarget(TriageSettings settings, CancelToken cancel = {});
    // Looks for `text` (see SearchText) in every preset; rows read later are looked at
    // as they come. A search that asks for rows is judged here on the rows alone (the
    // owner judges the other terms, which may need the user's marks); any other on the
    // preset's facts, without marks.
    void search(const std::string& text, CancelToken cancel = {});
    // What converting `rows` would do, written nowhere.
    void plan(std::vector<std::size_t> rows, ConvertOptions options, CancelToken cancel = {});
    // Carries out `plan`; `replace[i]` lets its i-th row replace an existing file.
    void convert(const ConversionPlan& plan, std::vector<bool> replace,
                 document::FileWriter& writer, CancelToken cancel = {});
    // Cancels the scan, the triage and the conversion running.
    void cancel();

    bool scanning() const;
    bool triaging() const;
    bool converting() const;
    bool searching() const;  // rows are still to be looked at
    TriageSettings settings() const;
    const std::vector<PresetPtr>& presets() const;
    // Each row's status against settings() (or the settings it was read with, until the
    // triage that follows a retarget during a scan has run).
    const std::vector<Triage>& triages() const;
    const std::vector<std::optional<std::size_t>>& duplicateGroups() const;
    // Whether the search matches a row; every row matches an empty search.
    bool hit(std::size_t row) const;
    const SearchText& searchText() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace pw::library
