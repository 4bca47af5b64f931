// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/load_pass.h"

#include "models/check_dispatch.h"

namespace pw::models {

PassResult runPass(const document::PresetDocument& document, document::Family family,
                   std::string_view sourceRoot, std::string_view targetRoot,
                   std::size_t spareRows) {
    PassResult result;
    result.rows.reserve(document.params.size() + spareRows);
    const CheckContext context{family, sourceRoot, targetRoot, &result.label5};
    for (const document::ParamElement& param : document.params) {
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
        Row& row = result.rows.append(Row{});
        row.cells[kName] = *param.name;
        row.cells[kSetting] = *param.text;
        row.cells[kId] = *param.id;
        row.cells[kPosition] = *param.position;
        row.cells[kValue] = *param.value;
        checkRow(row, context);
    }
    return result;
}

}  // namespace pw::models
