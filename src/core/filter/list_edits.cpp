// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/list_edits.h"

#include <algorithm>
#include <vector>

namespace pw::filter {

void RemoveParams(ParamList& list, Column column, std::string_view text) {
    std::size_t i = 1;
    while (i <= list.count()) {
        if (list.row(i).cells[column] == text)
            list.remove(i);
        else
            ++i;
    }
}

void SetParamColumn(ParamList& list, Column column, int match, std::string_view newText) {
    const std::string matchText = std::to_string(match);
    const std::size_t n = list.count();
    for (std::size_t i = 1; i <= n; ++i) {
        Row& row = list.row(i);
        if (row.cells[column] == matchText) {
            row.cells[column] = std::string(newText);
            row.mark(column, Mark::Change);
        }
    }
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
