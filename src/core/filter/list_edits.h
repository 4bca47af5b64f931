// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits and scans of the parameter list that the filter recipes and Save use.

#include <span>
#include <string>
#include <string_view>

#include "params/param_list.h"

namespace pw::filter {

// Removes every row whose cell in `column` reads exactly `text`.
void RemoveParams(ParamList& list, Column column, std::string_view text);

// In every row whose cell in `column` reads exactly the decimal text of `match`,
// writes `newText` and gives that cell the change mark.
void SetParamColumn(ParamList& list, Column column, int match, std::string_view newText);

// Several steps of a recipe in one walk over the rows. Each step looks at a row's own
// cells only, so a row goes through the steps in their order as it would through one
// walk per step: the same rows are removed, the same cells rewritten.
struct Removal {
    Column column;
    std::string_view text;  // RemoveParams (column, text)
};
struct Renumbering {
    Column column;
    int match;
    std::string_view newText;  // SetParamColumn (column, match, newText)
};
// The removals, then the renumberings of the rows left.
void EditRows(ParamList& list, std::span<const Removal> removals,
              std::span<const Renumbering> renumberings);

// Number of cells that carry the conflict mark (a row adds up to five).
std::size_t CountErrors(const ParamList& list);

// 1 when any cell carries the conflict mark, else 0.
int HasConflicts(const ParamList& list);

// The text the Errors button shows.
std::string errorCountMessage(const ParamList& list);

}  // namespace pw::filter
