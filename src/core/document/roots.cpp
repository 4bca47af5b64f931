// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/roots.h"

namespace pw::document {

std::span<const RootInfo> roots() {
    return kRoots;
}

const RootInfo* rootInfo(std::string_view rootName) {
    for (const RootInfo& root : kRoots)
        if (root.name == rootName) return &root;
    return nullptr;
}

}  // namespace pw::document
