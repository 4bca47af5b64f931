// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/duplicates.h"

#include <algorithm>
#include <map>
#include <utility>

namespace pw::library {

std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const Preset> presets) {
    // The rows key is strong enough to stand for the rows: no preset is read again.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::vector<std::size_t>> byKey;
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (presets[i].readable) byKey[{presets[i].rowsKey, presets[i].rowsKeyHigh}].push_back(i);

    // Groups are numbered in the order of their first presets.
    std::vector<const std::vector<std::size_t>*> twins;
    for (const auto& [key, members] : byKey)
        if (members.size() > 1) twins.push_back(&members);
    std::sort(twins.begin(), twins.end(),
              [](const auto* a, const auto* b) { return a->front() < b->front(); });
    std::vector<std::optional<std::size_t>> groups(presets.size());
    for (std::size_t g = 0; g < twins.size(); ++g)
        for (const std::size_t i : *twins[g])
            groups[i] = g + 1;
    return groups;
}

}  // namespace pw::library
