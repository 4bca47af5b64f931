// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/root_names.h"

namespace pw::document {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` holds `word` ending just before `end`, letter case ignored.
bool endsWithIgnoringCase(std::string_view text, std::size_t end, std::string_view word) {
    if (end < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (lower(text[end - word.size() + k]) != lower(word[k])) return false;
    return true;
}

// Every root name is a model part followed by this ending.
constexpr std::string_view kEnding = "preset";

std::string_view modelPart(std::string_view rootName) {
    return rootName.substr(0, rootName.size() - kEnding.size());
}

}  // namespace

std::string FindRootName(std::string_view text) {
    // Every name ends in "Preset": one pass over the places where "preset" stands
    // (in any letter case) tells which names occur; the list order then decides.
    std::size_t found = kRoots.size();
    for (char first : {'p', 'P'}) {
        for (std::size_t at = text.find(first); at != std::string_view::npos;
             at = text.find(first, at + 1)) {
            if (!endsWithIgnoringCase(text, at + kEnding.size(), kEnding)) continue;
            for (std::size_t n = 0; n < found; ++n) {
                if (endsWithIgnoringCase(text, at, modelPart(kRoots[n].name))) {
                    found = n;
                    break;
                }
            }
        }
    }
    return found < kRoots.size() ? std::string(kRoots[found].name) : std::string();
}

Family familyOf(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info ? info->family : Family::None;
}

Family filterSourceGroup(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info ? info->filterGroup : Family::None;
}

bool isFullUseRoot(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info && info->savable;
}

bool isTwoChannelRoot(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info && info->twoAmpChannels;
}

}  // namespace pw::document
