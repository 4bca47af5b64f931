// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preset document as Save writes it: UTF-8 without byte order mark, CR LF line
// ends, two, four and six blanks of indentation for the three levels.

#include <string>
#include <string_view>

#include "document/targets.h"
#include "params/param_list.h"

namespace pw::document {

std::string renderPreset(const Target& target, std::string_view patchName, const ParamList& rows);

}  // namespace pw::document
