// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marking presets given by files, folders and packs: each readable preset found there is
// marked by what it holds, so the mark follows it wherever it goes.

#include <filesystem>
#include <span>
#include <vector>

#include "collection/collection_store.h"
#include "library/conversion.h"
#include "library/scan.h"

namespace pw::collection {

// What a preset is for its marks.
ContentKey contentKey(const library::Preset& preset);

struct MarkOutcome {
    std::vector<library::Preset> presets;  // the presets found (readable or not)
    std::size_t marked = 0;                // readable presets the change was made on
    bool stored = false;                   // the store took the change
    std::vector<library::ScanProblem> problems;
};

// Scans `inputs` and makes `change` on every readable preset found, in one transaction.
MarkOutcome markInputs(Store& store, const std::vector<std::filesystem::path>& inputs,
                       const MarkChange& change);

// Each converted copy takes the marks of the preset it was written from, if any, in one
// transaction.
bool inheritMarks(Store& store, std::span<const library::ConvertedCopy> copies);

}  // namespace pw::collection
