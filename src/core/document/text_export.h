// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two plain text exports of a patch.
//
// The gap between the pieces of a header line and of a user text row is written as
// two blanks, so every row stays on one line.

#include <string>
#include <string_view>

#include "params/param_list.h"

namespace pw::document {

// Name with every blank, "/" and "-" removed: "V-Switch Type" gives "VSwitchType".
std::string compactName(std::string_view name);
// Setting with every blank removed, then every ">" replaced by "2".
std::string compactSetting(std::string_view setting);

// "Patch Name: <source root><gap><original name>", an empty line, then one line per
// row: Name, gap, Setting, gap.
std::string renderUserText(std::string_view sourceRoot, std::string_view originalName,
                           const ParamList& rows);

// The same header, then five lines per row: <name>ID=, <name>Position=,
// <name><setting>Value=, <name>Text=<setting>, an empty line.
std::string renderCompleteText(std::string_view sourceRoot, std::string_view originalName,
                               const ParamList& rows);

}  // namespace pw::document
