// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in effect model catalogue: per effect block, the model names in display
// order and the number the device stores for each.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pw::catalogue {

struct Entry {
    std::string_view name;
    std::int32_t value;
};

// A pedal assignment target: the parameter at `position` with id `id`, stored as
// position * 65536 + id.
constexpr std::int32_t pedalTarget(std::int32_t position, std::int32_t id) {
    return position * 65536 + id;
}

struct Block {
    std::string_view title;        // "Amp", "Cabinet", ... "FX library"
    std::string_view nameList;     // control name of the drop-down list, "cboAmp"
    std::string_view valueList;    // control name of the value list, "cboAmpID"
    std::string_view prompt;       // "Select Amp Model"
    std::string_view parameterId;  // "2496"; compared with a row's ID cell as text
    bool onlyAtPosition19;         // the pedal block belongs to ID 8194 at Position 19 only
    std::span<const Entry> entries;
};

// The thirteen blocks in the order of the dialog's lists: Amp, Cabinet, Wah,
// Compressor, Distortion, Noise gate, Mod/FX, Pedal assignment, Delay, EQ, Reverb,
// Tone library, FX library.
std::span<const Block> blocks();

// The block a parameter row belongs to, by its ID and Position texts; null for none.
const Block* blockOfRow(std::string_view idText, std::string_view positionText);

// The block whose drop-down list has this control name ("cboAmp"); null for none.
const Block* blockByList(std::string_view nameList);

// The index of the entry of `block` named `name` (letter case ignored); nullopt for none.
std::optional<std::size_t> entryIndex(const Block& block, std::string_view name);

// Whether some block has an entry named `name` (letter case ignored).
bool entryNamed(std::string_view name);

// The value as the list writes it: plain decimal text ("307", "395650").
std::string valueText(const Entry& entry);

}  // namespace pw::catalogue
