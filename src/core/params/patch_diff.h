// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two patches as their lists show them: rows only in one of them,
// and rows of both whose Name, Setting, Position or Value differ.

#include <cstddef>
#include <string_view>
#include <vector>

#include "params/param_list.h"

namespace pw {

enum class DiffKind { OnlyInA, OnlyInB, Changed };

struct RowDiff {
    DiffKind kind = DiffKind::Changed;
    std::size_t rowA = 0;         // row number in A, from 1; 0 when the row is only in B
    std::size_t rowB = 0;         // row number in B, from 1; 0 when the row is only in A
    std::vector<Column> columns;  // Changed: the columns that differ, left to right
};

struct PatchDiff {
    bool namesDiffer = false;
    std::vector<RowDiff> rows;  // in list order
    bool equal() const { return !namesDiffer && rows.empty(); }
};

// The columns compared; the ID is what pairs the rows. A renamed row is a difference.
inline constexpr Column kComparedColumns[] = {kName, kSetting, kPosition, kValue};

// Rows are paired by ID: first a row with the same ID and Position, then, for rows left
// over, the next row with the same ID, each time in list order. So a renumbered row is
// a changed Position, and a parameter that occurs at several positions pairs with its
// own. The result lists A's rows in order, each row only in B just before the first
// row of A that pairs with a later row of B.
PatchDiff diffPatches(std::string_view nameA, const ParamList& a, std::string_view nameB,
                      const ParamList& b);

// Both lists side by side, paired and ordered as diffPatches pairs and orders them: every
// row of both, a pair that is the same as a Changed entry without columns.
std::vector<RowDiff> alignPatches(const ParamList& a, const ParamList& b);

}  // namespace pw
