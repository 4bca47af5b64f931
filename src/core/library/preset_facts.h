// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the library learns from one preset's bytes.

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

}  // namespace pw::library
