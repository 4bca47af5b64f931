#include "document/root_names.h"

namespace pw::document {

std::string FindRootName(std::string_view text) {
    // Letter case is ignored for the ASCII letters of the names only, so one lower-case
    // copy of the text serves all eleven searches.
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (std::string_view name : kRootNames) {
        std::string wanted(name);
        for (char& c : wanted)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (lower.find(wanted) != std::string::npos) return std::string(name);
    }
    return {};
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
