#pragma once
// The title and the file types of the dialog that opens a preset.

#include <array>
#include <string_view>

namespace pw::document {

inline constexpr std::string_view kOpenDialogTitle =
    "Select a RP Patch, use FILE TYPE to filter specific patch model";

struct FileType {
    std::string_view description;
    std::string_view patterns;  // separated by ";"; "?" stands for one character
};

// In the order the dialog lists them; the first is preselected.
inline constexpr std::array<FileType, 11> kOpenFileTypes = {{
    {"All RP Patches", "*.rp???p;*.rp????p"},
    {"RP150", "*.rp150p"},
    {"RP155", "*.rp155p"},
    {"RP250", "*.rp250p"},
    {"RP255", "*.rp255p"},
    {"RP350", "*.rp350p"},
    {"RP355", "*.rp355p"},
    {"RP500", "*.rp500p"},
    {"RP1000", "*.rp1000p"},
    {"GNX4 & GNX3K", "*.g4p;*.g3kp"},
    {"GSP1101", "*.gsp1101p"},
}};

}  // namespace pw::document
