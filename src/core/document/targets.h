#pragma once
// The six target models the list is checked against, filtered for and saved as.

#include <array>
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

inline constexpr std::array<Target, 6> kTargets = {{
    {0, "RP155", "RP155Preset", ".rp155p", Family::F15x, false},
    {1, "RP255", "RP255Preset", ".rp255p", Family::F25x, true},
    {2, "RP355", "RP355Preset", ".rp355p", Family::F35x, true},
    {3, "RP150", "RP150Preset", ".rp150p", Family::F15x, true},
    {4, "RP250", "RP250Preset", ".rp250p", Family::F25x, true},
    {5, "RP350", "RP350Preset", ".rp350p", Family::F35x, true},
}};

inline constexpr int kStartupTargetOption = 1;  // RP255

const Target* targetByOption(int option);
// By caption, letter case ignored ("rp250" finds RP250).
const Target* targetByCaption(std::string_view caption);

// `<RP255Preset SchemaVersion="1.2" xmlns="...">`
std::string openingLine(const Target& target);
// `</RP255Preset>`
std::string closingLine(const Target& target);

}  // namespace pw::document
