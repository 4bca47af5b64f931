// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/filter_recipes.h"

#include <array>

#include "document/root_names.h"
#include "filter/default_rows.h"
#include "filter/list_edits.h"

namespace pw::filter {

using document::Family;

namespace {

// Parameter ids of the RP35x alone, dropped whenever a 35x-group patch is filtered.
constexpr std::array<std::string_view, 9> kBigModelOnlyIds = {
    "2507", "2508", "2509", "3213", "3214", "3215", "3216", "3217", "3218",
};

void removePosition(ParamList& list, int position) {
    RemoveParams(list, kPosition, std::to_string(position));
}
void removeId(ParamList& list, std::string_view id) {
    RemoveParams(list, kId, id);
}
void renumberPosition(ParamList& list, int from, std::string_view to) {
    SetParamColumn(list, kPosition, from, to);
}

void removeBigModelOnlyIds(ParamList& list) {
    for (std::string_view id : kBigModelOnlyIds)
        removeId(list, id);
}

// F, 35x to 25x. The renumbering order matters: 25 becomes 24 before 26 becomes 25.
void bigToMiddle(ParamList& list) {
    removePosition(list, 22);
    removePosition(list, 23);
    removeId(list, "3207");
    removeId(list, "256");
    removeBigModelOnlyIds(list);
    renumberPosition(list, 25, "24");
    renumberPosition(list, 26, "25");
    renumberPosition(list, 10, "8");
    renumberPosition(list, 11, "9");
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
            renumberPosition(list, 25, "26");
            break;
        case 'C':
            removePosition(list, 19);
            removePosition(list, 21);
            break;
        case 'D':
            AddLfoParams(list);
            renumberPosition(list, 25, "26");
            break;
        case 'E':
            removePosition(list, 19);
            removePosition(list, 21);
            bigToMiddle(list);
            break;
        case 'F':
            bigToMiddle(list);
            break;
        case 'G':
            removeBigModelOnlyIds(list);
            break;
        default:
            break;
    }
}

}  // namespace pw::filter
