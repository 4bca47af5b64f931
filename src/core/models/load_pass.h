// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The load-and-check pass: one row per Param element of the opened document, each
// checked against the target family as it is appended.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/preset_document.h"
#include "document/root_names.h"
#include "params/param_list.h"

namespace pw::models {

struct PassResult {
    ParamList rows;
    // "Name", "ID", "Position", "Value" or "Text": the first child missing from a
    // Param element, which stops the pass.
    std::optional<std::string> missingChild;
    // The Setting text the position 7 rule last marked, if it marked any.
    std::optional<std::string> label5;
};

// `spareRows`: room for rows the caller will add, so that adding them moves no row.
PassResult runPass(const document::PresetDocument& document, document::Family family,
                   std::string_view sourceRoot, std::string_view targetRoot,
                   std::size_t spareRows = 0);
// The same for a document given up: its texts become the rows' without a copy.
PassResult runPass(document::PresetDocument&& document, document::Family family,
                   std::string_view sourceRoot, std::string_view targetRoot,
                   std::size_t spareRows = 0);

}  // namespace pw::models
