// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converting presets of the library into one folder: the plan (what would be written,
// what exists already, what cannot convert and why), the run that carries it out (on
// every core, cancellable, each output complete or absent) and the CSV report written
// beside the outputs.

#include <array>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/save_check.h"
#include "document/file_writer.h"
#include "library/preset_facts.h"
#include "library/scan.h"
#include "library/triage.h"

namespace pw::library {

struct ConvertOptions {
    TriageSettings settings;
    bool resolve = true;
    bool fixNames = false;
    std::filesystem::path folder;
};

enum class OutcomeKind { None, Written, Kept, Cannot, Collides, Failed, NotDone };
inline constexpr std::size_t kOutcomeKindCount = 7;

// "written", "kept existing", ...: an outcome in the report's words.
std::string_view outcomeWord(OutcomeKind kind);

struct Outcome {
    OutcomeKind kind = OutcomeKind::None;
    std::string output;             // the file written or that would be, bare name
    std::string reason;             // why it cannot convert, collides or failed
    std::size_t substitutions = 0;  // what Resolve Conflicts changed on the way
    std::size_t removals = 0;
    bool nameFixed = false;
};

using Presets = std::vector<std::shared_ptr<const Preset>>;

// What converting would do, before anything is written.
struct ConversionPlan {
    std::vector<std::size_t> rows;  // of the library, in order
    Presets presets;                // the presets of those rows
    ConvertOptions options;
    std::vector<Outcome> outcomes;  // by position (Written: would be)
    std::size_t write = 0;
    std::size_t cannot = 0;
    std::size_t namesFixed = 0;
    std::size_t collide = 0;
    std::vector<std::size_t> existing;  // positions whose output is in the folder already
    bool cancelled = false;
};

// A new preset written and the preset it was converted from, whose marks it takes.
struct ConvertedCopy {
    PresetContent from;
    PresetContent to;
};

struct ConversionRun {
    std::vector<std::size_t> rows;
    ConvertOptions options;
    std::vector<Outcome> outcomes;  // by position; those not reached when cancelled: NotDone
    std::array<std::size_t, kOutcomeKindCount> counts{};
    bool cancelled = false;
    std::filesystem::path report;  // the report written, or empty with `reportError`
    std::string reportError;
    std::vector<ConvertedCopy> copies;  // each preset written, in order
};

using ConvertProgress = std::function<void(std::size_t done, std::size_t total)>;

ConversionPlan planConversion(std::vector<std::size_t> rows, Presets presets,
                              ConvertOptions options, const std::atomic<bool>& cancel);

// The same plan told by the presets' triages (`triages[i]` of `presets[i]`, made against
// `options.settings`), converting nothing again: for a conversion with Resolve Conflicts,
// which the triage runs too.
ConversionPlan planFromTriages(std::vector<std::size_t> rows, Presets presets,
                               const std::vector<Triage>& triages, ConvertOptions options,
                               const std::atomic<bool>& cancel);

// Converts and writes the plan's presets; `replace[i]` allows the i-th output to replace
// an existing file. Then writes the report.
ConversionRun runConversion(const ConversionPlan& plan, const std::vector<bool>& replace,
                            document::FileWriter& writer, const ConvertProgress& progress,
                            const std::atomic<bool>& cancel);

// The report (input, member, outcome, output, substitutions, removals, reason) written
// whole into `folder` under a new name; returns its path, or an empty one with `error` set.
std::filesystem::path writeReport(const std::filesystem::path& folder, const Presets& presets,
                                  const std::vector<Outcome>& outcomes,
                                  document::FileWriter& writer, std::string& error);

}  // namespace pw::library
