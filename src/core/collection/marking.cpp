// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/marking.h"

namespace pw::collection {

ContentKey contentKey(const library::Preset& preset) {
    return ContentKey{preset.contentKey, preset.name};
}

MarkOutcome markInputs(Store& store, const std::vector<std::filesystem::path>& inputs,
                       const MarkChange& change) {
    MarkOutcome outcome;
    library::ScanResult scanned = library::scan(inputs, library::ScanOptions{});
    outcome.problems = std::move(scanned.problems);
    std::vector<ContentKey> keys;
    for (const library::Preset& preset : scanned.presets)
        if (preset.readable) keys.push_back(contentKey(preset));
    outcome.presets = std::move(scanned.presets);
    outcome.stored = store.change(keys, change);
    if (outcome.stored) outcome.marked = keys.size();
    return outcome;
}

bool inheritMarks(Store& store, std::span<const library::ConvertedCopy> copies) {
    std::vector<ContentKey> from;
    for (const library::ConvertedCopy& copy : copies)
        from.push_back({copy.from.key, copy.from.name});
    const std::map<ContentKey, Marks> had = store.marks(from);
    std::map<ContentKey, Marks> taken;
    for (const library::ConvertedCopy& copy : copies)
        if (const auto it = had.find({copy.from.key, copy.from.name}); it != had.end())
            taken[{copy.to.key, copy.to.name}] = it->second;
    return taken.empty() || store.restore(taken);
}

}  // namespace pw::collection
