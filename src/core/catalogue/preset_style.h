// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a preset is, told from its rows the way a guitarist names it at a glance: the
// amp's character (clean, crunch, high gain, bass, acoustic; both channels of a two-amp
// preset), pushed up by a drive in front of it, then the effects that dominate (fuzz,
// ambient, modulated, wah, pitch).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pw::catalogue {

// One row as the preset holds it.
struct RowFacts {
    std::string_view id, position, value;
};

// The character of a model of a block ("Amp", 321: "high gain"), "" when none is known.
std::string_view modelCharacter(std::string_view block, std::int32_t value);

// "clean, ambient", "high gain / clean, modulated", "" for a preset without an amp.
std::string styleOf(std::span<const RowFacts> rows);

}  // namespace pw::catalogue
