// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in substitution table: for an effect model that a target model does not
// know, the catalogue model that stands in for it there, and why. A substitute keeps
// the character of the model it replaces (a high-gain amp for a high-gain amp, a fuzz
// for a fuzz), chosen by lineage where the lineage is known. Models the table does not
// list are classified by the words of the name the preset carries for them; a name
// that tells nothing gets the block's neutral entry.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "catalogue/effect_catalogue.h"

namespace pw::catalogue {

struct Substitution {
    std::string_view block;       // the catalogue block's title: "Amp", "Pedal assignment"
    std::int32_t replaced;        // the value the targets below do not know
    std::string_view known;       // the name presets carry for it ("Stoner Rock"), or ""
    std::string_view targets;     // the target captions it serves, blank-separated
    std::string_view substitute;  // a name of the same block of the catalogue
    std::string_view character;   // what the two share: "high gain"; a pedal's: "gain"
    std::string_view reason;      // why this one: the same lineage, else the same character
    bool otherChannel = false;    // a pedal on a control of amp channel B (Amp B, EQ B)
};

// The substitute of a block for a character that the words of a name tell; the
// character "" is the block's neutral entry, taken when nothing tells more.
struct CharacterSubstitute {
    std::string_view block;
    std::string_view character;
    std::string_view substitute;
    std::string_view reason;
};

// Every line of the table, grouped by block.
std::span<const Substitution> substitutions();

// Every character substitute, the neutral entries included.
std::span<const CharacterSubstitute> characterSubstitutes();

// The line that replaces `value` of `block` for the target `targetCaption` ("RP250"),
// or null when there is none.
const Substitution* substitutionFor(const Block& block, double value,
                                    std::string_view targetCaption);

// The character the words of `name` tell for a model of `block` ("Dark Metal" of the
// amp block: "high gain"), or "" when none of its words does.
std::string_view characterOfName(const Block& block, std::string_view name);

// The substitute of `block` for `character` ("" for the neutral entry), or null.
const CharacterSubstitute* characterSubstitute(const Block& block, std::string_view character);

// The catalogue entry of `block` named `name`, or null.
const Entry* entryOf(std::string_view block, std::string_view name);

// The catalogue entry a line substitutes, or null when its name is not in its block.
const Entry* substituteEntry(const Substitution& line);

// What stands in for a model of `block` that the target does not know: the table's
// line, else the character that the name `text` tells, else the neutral entry.
struct Choice {
    const Entry* entry = nullptr;
    std::string_view character;  // "" when only the neutral entry was left
    std::string_view reason;
    const Substitution* line = nullptr;  // the table's line, when it had one
};
std::optional<Choice> chooseSubstitute(const Block& block, double value, std::string_view text,
                                       std::string_view targetCaption);

}  // namespace pw::catalogue
