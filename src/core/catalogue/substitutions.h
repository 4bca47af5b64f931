// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in substitution table: for every effect model that a target model does not
// know, the catalogue model that stands in for it there, and why.

#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/effect_catalogue.h"

namespace pw::catalogue {

struct Substitution {
    std::string_view block;       // the catalogue block's title: "Amp", "Pedal assignment"
    std::int32_t replaced;        // the value the targets below do not know
    std::string_view targets;     // the target captions it serves, blank-separated
    std::string_view substitute;  // a name of the same block of the catalogue
    std::string_view reason;      // why this one: the same lineage, else the same character
};

// Every line of the table, grouped by block.
std::span<const Substitution> substitutions();

// The line that replaces `value` of `block` for the target `targetCaption` ("RP250"),
// or null when there is none.
const Substitution* substitutionFor(const Block& block, double value,
                                    std::string_view targetCaption);

// The catalogue entry a line substitutes, or null when its name is not in its block.
const Entry* substituteEntry(const Substitution& line);

}  // namespace pw::catalogue
