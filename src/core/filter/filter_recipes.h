// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed recipes that convert a patch's rows from its source family to the target's.

#include <string_view>

#include "params/param_list.h"

namespace pw::filter {

// The recipe letter for a pair of roots: 'A' to 'G', or 0 for no step.
char recipeFor(std::string_view sourceRoot, std::string_view targetRoot);

// Runs the recipe of the pair on `list`.
void FilterPatch(ParamList& list, std::string_view sourceRoot, std::string_view targetRoot);

}  // namespace pw::filter
