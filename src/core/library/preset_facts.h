// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the library learns from one preset's bytes, and the rows as duplicates compare them.

#include <string>
#include <string_view>

#include "document/preset_document.h"
#include "library/scan.h"

namespace pw::library {

// Fills the model, name, rows, uses, rowsKey, readable and readProblem of `preset` from
// its bytes; what the reader made of them is left in `parsed`, the root name the read
// test finds in `sourceRoot`.
void readFacts(std::string_view bytes, Preset& preset, document::ParseResult& parsed,
               std::string& sourceRoot);

// The rows as duplicates compare them: ID, Position and Value of each row, in order.
std::string rowsText(const document::PresetDocument& document);

}  // namespace pw::library
