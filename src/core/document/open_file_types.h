// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title and the file types of the dialog that opens a preset.

#include <string>
#include <string_view>
#include <vector>

namespace pw::document {

inline constexpr std::string_view kOpenDialogTitle =
    "Select a RP Patch, use FILE TYPE to filter specific patch model";

struct FileType {
    std::string description;
    std::string patterns;  // separated by ";"; "?" stands for one character
};

// In the order the dialog lists them; the first, every RP patch, is preselected. The
// others are the roots' dialog types in the order of the table of roots.
std::vector<FileType> openFileTypes();

}  // namespace pw::document
