#include "document/root_names.h"

#include <array>

namespace pw::document {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` holds `word` (lower case) ending just before `end`, letter case ignored.
bool endsWithIgnoringCase(std::string_view text, std::size_t end, std::string_view word) {
    if (end < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (lower(text[end - word.size() + k]) != word[k]) return false;
    return true;
}

// The eleven names without their common ending, lower case, in search order.
constexpr std::array<std::string_view, 11> kModelParts = {
    "rp150", "rp155",  "rp250", "rp255", "rp350",   "rp355",
    "rp500", "rp1000", "gnx4",  "gnx3k", "gsp1101",
};
constexpr std::string_view kEnding = "preset";

}  // namespace

std::string FindRootName(std::string_view text) {
    // Every name ends in "Preset": one pass over the places where "preset" stands
    // (in any letter case) tells which names occur; the list order then decides.
    std::size_t found = kModelParts.size();
    for (char first : {'p', 'P'}) {
        for (std::size_t at = text.find(first); at != std::string_view::npos;
             at = text.find(first, at + 1)) {
            if (!endsWithIgnoringCase(text, at + kEnding.size(), kEnding)) continue;
            for (std::size_t n = 0; n < found; ++n) {
                if (endsWithIgnoringCase(text, at, kModelParts[n])) {
                    found = n;
                    break;
                }
            }
        }
    }
    return found < kRootNames.size() ? std::string(kRootNames[found]) : std::string();
}

Family familyOf(std::string_view root) {
    if (root == "RP150Preset" || root == "RP155Preset") return Family::F15x;
    if (root == "RP250Preset" || root == "RP255Preset") return Family::F25x;
    if (root == "RP350Preset" || root == "RP355Preset") return Family::F35x;
    return Family::None;
}

Family filterSourceGroup(std::string_view root) {
    if (root == "RP500Preset" || root == "RP1000Preset") return Family::F35x;
    return familyOf(root);
}

bool isFullUseRoot(std::string_view root) {
    return familyOf(root) != Family::None && root != "RP155Preset";
}

bool isTwoChannelRoot(std::string_view root) {
    return root == "RP350Preset" || root == "RP355Preset";
}

}  // namespace pw::document
