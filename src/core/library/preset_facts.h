// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the library learns from one preset's bytes.

#include <cstdint>
#include <optional>
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

// What a preset holds, as the user's marks know it: the stable key of its rows and its
// patch name (Preset::contentKey and Preset::name).
struct PresetContent {
    std::uint64_t key = 0;
    std::string name;
};

// The content of a preset's bytes; none when it cannot be read or has no name.
std::optional<PresetContent> contentOf(std::string_view bytes);

}  // namespace pw::library
