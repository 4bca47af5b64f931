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
    for (std::size_t i = 0; i < copies.size(); ++i)
        if (const auto it = had.find(from[i]); it != had.end())
            taken[{copies[i].to.key, copies[i].to.name}] = it->second;
    return taken.empty() || store.restore(taken);
}

bool inheritMarks(Store& store, const ContentKey& from, const ContentKey& to) {
    const library::ConvertedCopy copy{{from.rowsKey, from.name}, {to.rowsKey, to.name}};
    return inheritMarks(store, std::span(&copy, 1));
}

}  // namespace pw::collection
