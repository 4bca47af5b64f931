// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letter case as row names and model names are compared: only the letters A to Z have a
// lower case; every other byte, those of UTF-8 sequences too, stands for itself.

#include <cstddef>
#include <string_view>

namespace pw {

constexpr char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// Whether `text` ends with `end`, ASCII letter case ignored (".RP250P" ends with ".rp250p").
constexpr bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           equalIgnoringCase(text.substr(text.size() - end.size()), end);
}

}  // namespace pw
