// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eleven root element names a preset can carry, and everything the program knows
// about each model: one table, from which the root search, the families, the targets,
// the open dialog's file types and the command line's model lists are derived.

#include <array>
#include <span>
#include <string_view>

namespace pw::document {

enum class Family { None, F15x, F25x, F35x };

struct RootInfo {
    std::string_view name;        // "RP355Preset"
    std::string_view model;       // "RP355"
    Family family;                // for the passes, Save and the check tables
    Family filterGroup;           // the filter recipes' source group
    bool twoAmpChannels;          // presets with amp channels A and B
    bool savable;                 // can be filtered and saved (the others are view only)
    std::string_view extension;   // ".rp355p"
    std::string_view dialogType;  // the open dialog's file type it is listed under
    int targetOption;             // its option in opModelSelect, or -1 when not a target
};

inline constexpr int kNotATarget = -1;

// In the order the raw text is searched: the order decides, not the place in the text.
// RP500 and RP1000 presets count as 35x for the filter recipes only.
// clang-format off
inline constexpr std::array<RootInfo, 11> kRoots = {{
//   name             model      family        filterGroup   2 amps savable extension    dialogType      targetOption
    {"RP150Preset",   "RP150",   Family::F15x, Family::F15x, false, true,  ".rp150p",   "RP150",        3},
    {"RP155Preset",   "RP155",   Family::F15x, Family::F15x, false, false, ".rp155p",   "RP155",        0},
    {"RP250Preset",   "RP250",   Family::F25x, Family::F25x, false, true,  ".rp250p",   "RP250",        4},
    {"RP255Preset",   "RP255",   Family::F25x, Family::F25x, false, true,  ".rp255p",   "RP255",        1},
    {"RP350Preset",   "RP350",   Family::F35x, Family::F35x, true,  true,  ".rp350p",   "RP350",        5},
    {"RP355Preset",   "RP355",   Family::F35x, Family::F35x, true,  true,  ".rp355p",   "RP355",        2},
    {"RP500Preset",   "RP500",   Family::None, Family::F35x, false, false, ".rp500p",   "RP500",        kNotATarget},
    {"RP1000Preset",  "RP1000",  Family::None, Family::F35x, false, false, ".rp1000p",  "RP1000",       kNotATarget},
    {"Gnx4Preset",    "GNX4",    Family::None, Family::None, false, false, ".g4p",      "GNX4 & GNX3K", kNotATarget},
    {"Gnx3kPreset",   "GNX3K",   Family::None, Family::None, false, false, ".g3kp",     "GNX4 & GNX3K", kNotATarget},
    {"GSP1101Preset", "GSP1101", Family::None, Family::None, false, false, ".gsp1101p", "GSP1101",      kNotATarget},
}};
// clang-format on

std::span<const RootInfo> roots();  // the eleven, in search order
// The entry of a root name as written in the table; null for any other name.
const RootInfo* rootInfo(std::string_view rootName);

}  // namespace pw::document
