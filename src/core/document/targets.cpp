// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/targets.h"

#include <algorithm>
#include <cctype>

namespace pw::document {

const Target* targetByOption(int option) {
    for (const Target& t : kTargets)
        if (t.option == option) return &t;
    return nullptr;
}

const Target* targetByCaption(std::string_view caption) {
    for (const Target& t : kTargets) {
        if (std::equal(t.caption.begin(), t.caption.end(), caption.begin(), caption.end(),
                       [](char a, char b) {
                           return std::toupper(static_cast<unsigned char>(a)) ==
                                  std::toupper(static_cast<unsigned char>(b));
                       }))
            return &t;
    }
    return nullptr;
}

std::string openingLine(const Target& target) {
    std::string line;
    line.append("<").append(target.root).append(" SchemaVersion=\"1.2\" xmlns=\"");
    line.append(kPresetNamespace).append("\">");
    return line;
}

std::string closingLine(const Target& target) {
    std::string line;
    line.append("</").append(target.root).append(">");
    return line;
}

}  // namespace pw::document
