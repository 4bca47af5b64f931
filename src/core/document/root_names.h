#pragma once
// The eleven root element names a preset can carry, and the model families.

#include <array>
#include <string>
#include <string_view>

namespace pw::document {

// In the order the raw text is searched; the order decides, not the place in the text.
inline constexpr std::array<std::string_view, 11> kRootNames = {
    "RP150Preset", "RP155Preset",  "RP250Preset", "RP255Preset", "RP350Preset",   "RP355Preset",
    "RP500Preset", "RP1000Preset", "Gnx4Preset",  "Gnx3kPreset", "GSP1101Preset",
};

// The first of the eleven names that occurs anywhere in `text`, letter case ignored;
// empty when none does.
std::string FindRootName(std::string_view text);

enum class Family { None, F15x, F25x, F35x };

// The family of a root for the passes, Save and the check tables: 15x = RP150/RP155,
// 25x = RP250/RP255, 35x = RP350/RP355.
Family familyOf(std::string_view root);

// The source group of the filter recipes, where RP500 and RP1000 presets count as 35x.
Family filterSourceGroup(std::string_view root);

// Roots whose presets can be filtered and saved (the others are view only).
bool isFullUseRoot(std::string_view root);

bool isTwoChannelRoot(std::string_view root);  // RP350, RP355

}  // namespace pw::document
