// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/load_pass.h"

#include <utility>

#include "models/check_dispatch.h"

namespace pw::models {

namespace {

// `Document` is const PresetDocument (its texts are copied) or PresetDocument (given up:
// its texts are taken over).
template <class Document>
PassResult pass(Document& document, document::Family family, std::string_view sourceRoot,
                std::string_view targetRoot, std::size_t spareRows) {
    PassResult result;
    result.rows.reserve(document.params.size() + spareRows);
    const CheckContext context{family, sourceRoot, targetRoot, &result.label5};
    for (auto& param : document.params) {
        // The children are read in this order; the first one missing stops the pass.
        const std::pair<const std::optional<std::string>*, const char*> children[] = {
            {&param.name, "Name"},   {&param.id, "ID"},     {&param.position, "Position"},
            {&param.value, "Value"}, {&param.text, "Text"},
        };
        for (const auto& [text, childName] : children) {
            if (!*text) {
                result.missingChild = childName;
                result.rows.clear();
                return result;
            }
        }
        // Moving from a const text copies it.
        Row& row = result.rows.append(Row());
        row.cells[kName] = *std::move(param.name);
        row.cells[kSetting] = *std::move(param.text);
        row.cells[kId] = *std::move(param.id);
        row.cells[kPosition] = *std::move(param.position);
        row.cells[kValue] = *std::move(param.value);
        checkRow(row, context);
    }
    return result;
}

}  // namespace

PassResult runPass(const document::PresetDocument& document, document::Family family,
                   std::string_view sourceRoot, std::string_view targetRoot,
                   std::size_t spareRows) {
    return pass(document, family, sourceRoot, targetRoot, spareRows);
}

PassResult runPass(document::PresetDocument&& document, document::Family family,
                   std::string_view sourceRoot, std::string_view targetRoot,
                   std::size_t spareRows) {
    return pass(document, family, sourceRoot, targetRoot, spareRows);
}

}  // namespace pw::models
