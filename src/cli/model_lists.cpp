// SPDX-License-Identifier: GPL-3.0-or-later
#include "model_lists.h"

#include <vector>

#include "document/roots.h"

namespace pw::cli {

namespace {

template <typename Pick>
std::string modelList(Pick pick, std::string_view lastSeparator) {
    std::vector<std::string_view> models;
    for (const document::RootInfo& root : document::roots())
        if (pick(root)) models.push_back(root.model);
    std::string list;
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (i > 0) list += i + 1 == models.size() ? lastSeparator : ", ";
        list += models[i];
    }
    return list;
}

}  // namespace

std::string targetModels(std::string_view lastSeparator) {
    return modelList(
        [](const document::RootInfo& root) {
            return root.targetOption != document::kNotATarget && root.savable;
        },
        lastSeparator);
}

std::string savableModels(std::string_view lastSeparator) {
    return modelList([](const document::RootInfo& root) { return root.savable; }, lastSeparator);
}

}  // namespace pw::cli

namespace pw::cli {

std::string viewOnlyModels(std::string_view lastSeparator) {
    return modelList([](const document::RootInfo& root) { return !root.savable; }, lastSeparator);
}

}  // namespace pw::cli
