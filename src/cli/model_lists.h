// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lists of model names the command line quotes, from the table of roots.

#include <string>
#include <string_view>

namespace pw::cli {

// The models that can be chosen as targets, in the order of the table of roots,
// separated by ", " and the last by `lastSeparator`: "RP150, RP250, RP255, RP350 or RP355".
std::string targetModels(std::string_view lastSeparator);
// The models whose presets can be saved, listed the same way.
std::string savableModels(std::string_view lastSeparator);
// The models whose presets can only be viewed, listed the same way.
std::string viewOnlyModels(std::string_view lastSeparator);

}  // namespace pw::cli
