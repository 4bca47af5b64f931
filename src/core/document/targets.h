// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six target models the list is checked against, filtered for and saved as.

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/root_names.h"

namespace pw::document {

// The preset namespace written into the opening line of every saved preset.
inline constexpr std::string_view kPresetNamespace = "http://www.digitech.com/xml/preset";

struct Target {
    int option;                  // index in the option array opModelSelect
    std::string_view caption;    // "RP255"
    std::string_view root;       // "RP255Preset"
    std::string_view extension;  // ".rp255p"
    Family family;
    bool selectable;  // RP155 is shown but can never be chosen
};

inline constexpr std::size_t kTargetCount =
    static_cast<std::size_t>(std::count_if(kRoots.begin(), kRoots.end(), [](const RootInfo& root) {
        return root.targetOption != kNotATarget;
    }));

// By option, from the table of roots; only the models that can be saved can be chosen.
inline constexpr std::array<Target, kTargetCount> kTargets = [] {
    std::array<Target, kTargetCount> targets{};
    for (const RootInfo& root : kRoots) {
        if (root.targetOption == kNotATarget) continue;
        targets.at(static_cast<std::size_t>(root.targetOption)) = Target{
            root.targetOption, root.model, root.name, root.extension, root.family, root.savable};
    }
    return targets;
}();

inline constexpr int kStartupTargetOption = 1;  // RP255

const Target* targetByOption(int option);
// By caption, letter case ignored ("rp250" finds RP250).
const Target* targetByCaption(std::string_view caption);

// `<RP255Preset SchemaVersion="1.2" xmlns="...">`
std::string openingLine(const Target& target);
// `</RP255Preset>`
std::string closingLine(const Target& target);

}  // namespace pw::document
