// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/filter_recipes.h"

#include <initializer_list>
#include <span>
#include <vector>

#include "document/root_names.h"
#include "filter/default_rows.h"
#include "filter/list_edits.h"

namespace pw::filter {

using document::Family;

namespace {

// The rows that go and the positions renumbered, step by step in the recipe's order.
// A recipe's removals and renumberings are made in one walk over the rows (EditRows),
// which changes the same rows as one walk per step.

// Positions 19 and 21 (C, and E before F's steps).
constexpr Removal kSmallModelPositions[] = {{kPosition, "19"}, {kPosition, "21"}};

// Parameter ids of the RP35x alone, dropped whenever a 35x-group patch is filtered (G).
constexpr Removal kBigModelOnlyIds[] = {
    {kId, "2507"}, {kId, "2508"}, {kId, "2509"}, {kId, "3213"}, {kId, "3214"},
    {kId, "3215"}, {kId, "3216"}, {kId, "3217"}, {kId, "3218"},
};

// F, 35x to 25x: positions 22 and 23, ids 3207 and 256, then the ids above.
constexpr Removal kMiddleModelLacks[] = {
    {kPosition, "22"}, {kPosition, "23"}, {kId, "3207"}, {kId, "256"}};

std::vector<Removal> joined(std::initializer_list<std::span<const Removal>> steps) {
    std::vector<Removal> all;
    for (std::span<const Removal> step : steps)
        all.insert(all.end(), step.begin(), step.end());
    return all;
}

// The order matters: 25 becomes 24 before 26 becomes 25.
constexpr Renumbering kBigToMiddleRenumbering[] = {
    {kPosition, 25, "24"}, {kPosition, 26, "25"}, {kPosition, 10, "8"}, {kPosition, 11, "9"}};
constexpr Renumbering kUpToBig[] = {{kPosition, 25, "26"}};  // B and D

void bigToMiddle(ParamList& list, std::span<const Removal> removals) {
    EditRows(list, removals, kBigToMiddleRenumbering);
    FixPrePost(list);
}

}  // namespace

char recipeFor(std::string_view sourceRoot, std::string_view targetRoot) {
    const Family source = document::filterSourceGroup(sourceRoot);
    const Family target = document::familyOf(targetRoot);
    switch (source) {
        case Family::F15x:
            return target == Family::F25x ? 'A' : target == Family::F35x ? 'B' : 0;
        case Family::F25x:
            return target == Family::F15x ? 'C' : target == Family::F35x ? 'D' : 0;
        case Family::F35x:
            return target == Family::F15x   ? 'E'
                   : target == Family::F25x ? 'F'
                   : target == Family::F35x ? 'G'
                                            : 0;
        case Family::None:
            break;
    }
    return 0;
}

void FilterPatch(ParamList& list, std::string_view sourceRoot, std::string_view targetRoot) {
    switch (recipeFor(sourceRoot, targetRoot)) {
        case 'A':
            AddPedalParams(list);
            break;
        case 'B':
            AddPedalParams(list);
            AddLfoParams(list);
            EditRows(list, {}, kUpToBig);
            break;
        case 'C':
            EditRows(list, kSmallModelPositions, {});
            break;
        case 'D':
            AddLfoParams(list);
            EditRows(list, {}, kUpToBig);
            break;
        case 'E':  // C's removals, then F
            bigToMiddle(list, joined({kSmallModelPositions, kMiddleModelLacks, kBigModelOnlyIds}));
            break;
        case 'F':
            bigToMiddle(list, joined({kMiddleModelLacks, kBigModelOnlyIds}));
            break;
        case 'G':
            EditRows(list, kBigModelOnlyIds, {});
    }
}

}  // namespace pw::filter
