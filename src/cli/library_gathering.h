// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The presets of folders and packs gathered by the core's library, as the Library window
// gathers them: this thread runs what the library posts until its scan is over.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "library/library.h"

namespace pw::cli {

struct Gathered {
    library::ScanResult scan;                        // every preset with its status
    std::vector<std::optional<std::size_t>> groups;  // by position in scan.presets
};

// Scans `inputs`, triaged against `settings`, keeping the presets `only` matches;
// `interrupted` becoming true cancels the scan.
Gathered gatherLibrary(std::vector<std::filesystem::path> inputs, library::TriageSettings settings,
                       std::optional<library::Query> only,
                       const std::function<void(const library::Progress&)>& progress,
                       const std::atomic<bool>& interrupted);

}  // namespace pw::cli
