// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converting presets of the Library into one folder: the dry run the dialog shows, the
// run itself (on every core, cancellable, each output complete or absent) and the CSV
// report written beside the outputs.

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

#include "document/file_writer.h"
#include "library_backend.h"

namespace pw::ui {

struct ConvertOptions {
    TriageSettings settings;
    bool resolve = true;
    bool fixNames = false;
    QString folder;
};

// What converting would do, before anything is written.
struct DryRun {
    std::vector<Outcome> outcomes;  // by position of the presets (Written: would be)
    std::size_t write = 0;
    std::size_t cannot = 0;
    std::size_t namesFixed = 0;
    std::size_t collide = 0;
    std::vector<std::size_t> existing;  // presets whose output is already in the folder
    // "1,850 will be written, 12 cannot, 3 names fixed, 2 would collide"
    QString summary() const;
};

DryRun dryRunConvert(const std::vector<PresetPtr>& presets, const ConvertOptions& options,
                     const std::atomic<bool>& cancel);

// Converts and writes; `replace[i]` allows preset i's output to replace an existing
// file. Outcomes by position; those not reached when cancelled are NotDone.
std::vector<Outcome> runConvert(
    const std::vector<PresetPtr>& presets, const ConvertOptions& options,
    const std::vector<bool>& replace, document::FileWriter& writer,
    const std::function<void(std::size_t done, std::size_t total)>& progress,
    const std::atomic<bool>& cancel);

// The report (input, member, outcome, output, substitutions, removals, reason) written
// whole into `folder`; returns its path, or "" with `error` set.
QString writeReport(const QString& folder, const std::vector<PresetPtr>& presets,
                    const std::vector<Outcome>& outcomes, document::FileWriter& writer,
                    QString& error);

}  // namespace pw::ui
