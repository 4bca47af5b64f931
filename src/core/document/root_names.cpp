#include "document/root_names.h"

#include <algorithm>
#include <cctype>

namespace pw::document {

namespace {

bool equalsIgnoringCase(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), equalsIgnoringCase) !=
           text.end();
}

}  // namespace

std::string FindRootName(std::string_view text) {
    for (std::string_view name : kRootNames)
        if (containsIgnoringCase(text, name)) return std::string(name);
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
