// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/patch_diff.h"

#include <map>
#include <string>
#include <utility>

namespace pw {
namespace {

constexpr std::size_t kUnpaired = 0;

// For each row of A (by index from 0), the number of its partner in B, or kUnpaired.
std::vector<std::size_t> pairRows(const ParamList& a, const ParamList& b) {
    std::vector<std::size_t> partner(a.count(), kUnpaired);
    std::vector<bool> taken(b.count(), false);
    const auto pass = [&](auto keyOf) {
        std::map<decltype(keyOf(a.row(1))), std::vector<std::size_t>> waiting;  // key -> B rows
        for (std::size_t j = b.count(); j >= 1; --j)
            if (!taken[j - 1]) waiting[keyOf(b.row(j))].push_back(j);  // last first: pop_back
        for (std::size_t i = 1; i <= a.count(); ++i) {
            if (partner[i - 1] != kUnpaired) continue;
            const auto found = waiting.find(keyOf(a.row(i)));
            if (found == waiting.end() || found->second.empty()) continue;
            partner[i - 1] = found->second.back();
            taken[found->second.back() - 1] = true;
            found->second.pop_back();
        }
    };
    if (a.empty() || b.empty()) return partner;
    pass([](const Row& r) { return std::pair(r.id(), r.position()); });
    pass([](const Row& r) { return r.id(); });
    return partner;
}

std::vector<RowDiff> alignRows(const ParamList& a, const ParamList& b, bool same) {
    std::vector<RowDiff> rows;
    const std::vector<std::size_t> partner = pairRows(a, b);
    std::vector<bool> paired(b.count(), false);
    for (std::size_t j : partner)
        if (j != kUnpaired) paired[j - 1] = true;

    std::size_t nextB = 1;  // rows of B before this one have been listed or are paired
    const auto listOnlyInBBefore = [&](std::size_t end) {
        for (; nextB < end; ++nextB)
            if (!paired[nextB - 1]) rows.push_back(RowDiff{DiffKind::OnlyInB, 0, nextB, {}});
    };
    for (std::size_t i = 1; i <= a.count(); ++i) {
        const std::size_t j = partner[i - 1];
        if (j == kUnpaired) {
            rows.push_back(RowDiff{DiffKind::OnlyInA, i, 0, {}});
            continue;
        }
        listOnlyInBBefore(j);
        RowDiff changed{DiffKind::Changed, i, j, {}};
        for (Column c : kComparedColumns)
            if (a.row(i).cells[c] != b.row(j).cells[c]) changed.columns.push_back(c);
        if (same || !changed.columns.empty()) rows.push_back(std::move(changed));
    }
    listOnlyInBBefore(b.count() + 1);
    return rows;
}

}  // namespace

PatchDiff diffPatches(std::string_view nameA, const ParamList& a, std::string_view nameB,
                      const ParamList& b) {
    return PatchDiff{nameA != nameB, alignRows(a, b, false)};
}

std::vector<RowDiff> alignPatches(const ParamList& a, const ParamList& b) {
    return alignRows(a, b, true);
}

}  // namespace pw
