// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of one freshly built parameter row: chosen by the row's Position and ID
// texts, it asks the target family's check functions and marks the cells that fail.

#include <optional>
#include <string>
#include <string_view>

#include "document/root_names.h"
#include "models/check_table.h"
#include "params/param_list.h"

namespace pw::models {

struct CheckContext {
    document::Family family;  // of the target: picks the dispatch and the module
    std::string_view sourceRoot;
    std::string_view targetRoot;
    std::optional<std::string>* label5;  // receives the Setting the position 7 rule marks
};

// The module of a family (15x, 25x or 35x).
const FamilyChecks& moduleOf(document::Family family);

void checkRow(Row& row, const CheckContext& context);

}  // namespace pw::models
