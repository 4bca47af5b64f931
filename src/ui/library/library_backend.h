// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Library window's calls into the core library, made on worker threads: the scan,
// the triage against another target, the duplicates; and the rows of the table made
// from what the core found.

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "document/targets.h"
#include "library_entry.h"

namespace pw::library {
struct Triage;
}

namespace pw::ui {

// The target and amp channel presets are triaged against.
struct TriageSettings {
    const document::Target* target = nullptr;
    char amp = 'A';
    bool operator==(const TriageSettings&) const = default;
};

TriageView triageView(const library::Triage& triage);
// The status of a preset against `settings` (from its kept bytes).
TriageView triageOf(const library::Preset& preset, const TriageSettings& settings);

// Makes the shown texts of entries, the files relative to the input they came from.
class EntryMaker {
  public:
    explicit EntryMaker(const QStringList& inputs);
    LibraryEntry make(PresetPtr preset) const;

  private:
    std::vector<std::string> folders_;  // the inputs that are folders, ending in "/"
};

struct ScanSummary {
    std::size_t presets = 0;
    std::size_t skipped = 0;
    QStringList problems;  // one line each
    bool cancelled = false;
    std::size_t filesRead = 0;   // files (presets and packs) read
    std::size_t filesTotal = 0;  // of those listed
    // Every preset delivered, in order, now with its bytes (the batches' rows go
    // without, so that nothing is copied while the scan runs), and its duplicate group.
    std::vector<PresetPtr> read;
    std::vector<std::optional<std::size_t>> duplicateGroups;
};

struct ScanCalls {
    // A batch of rows in scan order, triaged against `settings`.
    std::function<void(std::vector<LibraryEntry>, TriageSettings settings)> batch;
    std::function<void(std::size_t done, std::size_t total)> progress;
    std::function<void(ScanSummary)> finished;
};

// Scans `inputs` (on the calling thread, using every core), triaging against `settings`.
// The batches' presets carry no bytes; `finished` hands over the whole presets.
void scanLibrary(const QStringList& inputs, TriageSettings settings, const ScanCalls& calls,
                 const std::atomic<bool>& cancel);

// Triage of many presets at once, on every core; results by position in `presets`.
std::vector<TriageView> triageAll(const std::vector<PresetPtr>& presets,
                                  const TriageSettings& settings, const std::atomic<bool>& cancel);

// A member of a pack or a preset file, read whole; `problem` says why not.
std::optional<std::string> readPresetBytes(const library::Preset& preset, QString& problem);

}  // namespace pw::ui
