// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/list_edits.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pw::filter {

void RemoveParams(ParamList& list, Column column, std::string_view text) {
    EditRows(list, std::array{Removal{column, text}}, {});
}

void SetParamColumn(ParamList& list, Column column, int match, std::string_view newText) {
    EditRows(list, {}, std::array{Renumbering{column, match, newText}});
}

// One walk that closes the gaps as it goes, so the rows left keep their order without
// the tail being moved once per removed row, and renumbers the rows it keeps.
void EditRows(ParamList& list, std::span<const Removal> removals,
              std::span<const Renumbering> renumberings) {
    std::vector<std::string> matchTexts;
    for (const Renumbering& r : renumberings)
        matchTexts.push_back(std::to_string(r.match));
    list.keepIf([&](Row& row) {
        for (const Removal& r : removals)
            if (row.cells[r.column] == r.text) return false;
        for (std::size_t k = 0; k < renumberings.size(); ++k) {
            const Renumbering& r = renumberings[k];
            if (row.cells[r.column] != matchTexts[k]) continue;
            row.cells[r.column] = std::string(r.newText);
            row.mark(r.column, Mark::Change);
        }
        return true;
    });
}

std::size_t CountErrors(const ParamList& list) {
    std::size_t count = 0;
    for (const Row& row : list)
        count += static_cast<std::size_t>(
            std::count(row.marks.begin(), row.marks.end(), Mark::Conflict));
    return count;
}

int HasConflicts(const ParamList& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const Row& row) {
                           return std::find(row.marks.begin(), row.marks.end(), Mark::Conflict) !=
                                  row.marks.end();
                       })
               ? 1
               : 0;
}

std::string errorCountMessage(const ParamList& list) {
    return "Number of errors " + std::to_string(CountErrors(list));
}

}  // namespace pw::filter
