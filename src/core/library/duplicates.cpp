// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/duplicates.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace pw::library {

namespace {

// The groups of `count` presets, the i-th being `at(i)`.
template <class At>
std::vector<std::optional<std::size_t>> groupsOf(std::size_t count, At at) {
    // The rows key is strong enough to stand for the rows: no preset is read again.
    // Sorted by key, then by place, twins stand next to each other.
    struct Keyed {
        std::uint64_t high, low;
        std::size_t index;
        bool operator<(const Keyed& o) const {
            return std::tie(high, low, index) < std::tie(o.high, o.low, o.index);
        }
    };
    std::vector<Keyed> keyed;
    keyed.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Preset& p = at(i);
        if (p.readable) keyed.push_back({p.rowsKeyHigh, p.rowsKey, i});
    }
    std::sort(keyed.begin(), keyed.end());

    // Each group is known by its first preset; groups are numbered in that order.
    std::vector<std::optional<std::size_t>> first(count);
    std::vector<std::size_t> firsts;
    for (std::size_t run = 0; run < keyed.size();) {
        std::size_t end = run + 1;
        while (end < keyed.size() && keyed[end].high == keyed[run].high &&
               keyed[end].low == keyed[run].low)
            ++end;
        if (end - run > 1) {
            firsts.push_back(keyed[run].index);
            for (std::size_t k = run; k < end; ++k)
                first[keyed[k].index] = keyed[run].index;
        }
        run = end;
    }
    std::sort(firsts.begin(), firsts.end());
    std::vector<std::optional<std::size_t>> groups(count);
    for (std::size_t i = 0; i < count; ++i)
        if (first[i])
            groups[i] =
                static_cast<std::size_t>(std::lower_bound(firsts.begin(), firsts.end(), *first[i]) -
                                         firsts.begin()) +
                1;
    return groups;
}

}  // namespace

std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const Preset> presets) {
    return groupsOf(presets.size(), [&](std::size_t i) -> const Preset& { return presets[i]; });
}

std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const PresetPtr> presets) {
    return groupsOf(presets.size(), [&](std::size_t i) -> const Preset& { return *presets[i]; });
}

}  // namespace pw::library
