// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search for a preset's root name, and what the table of roots says about a root.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "document/roots.h"

namespace pw::document {

// The eleven names, in the order the raw text is searched.
inline constexpr std::array<std::string_view, kRoots.size()> kRootNames = [] {
    std::array<std::string_view, kRoots.size()> names{};
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        names[i] = kRoots[i].name;
    return names;
}();

// The first of the eleven names that occurs anywhere in `text`, letter case ignored;
// empty when none does.
std::string FindRootName(std::string_view text);

// The family of a root for the passes, Save and the check tables: 15x = RP150/RP155,
// 25x = RP250/RP255, 35x = RP350/RP355.
Family familyOf(std::string_view root);

// The source group of the filter recipes, where RP500 and RP1000 presets count as 35x.
Family filterSourceGroup(std::string_view root);

// Roots whose presets can be filtered and saved (the others are view only).
bool isFullUseRoot(std::string_view root);

bool isTwoChannelRoot(std::string_view root);  // RP350, RP355

}  // namespace pw::document
