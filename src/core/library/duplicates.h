// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Presets whose rows are the same (ID, Position and Value of every row, in order),
// whatever their patch names, indentation or line ends.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "library/scan.h"

namespace pw::library {

// One entry per preset: its group number (from 1, in the order the groups' first
// presets come) when another preset has the same rows, nullopt otherwise. Unreadable
// presets are in no group. Told from the rows keys the scan made: nothing is read again.
std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const Preset> presets);
std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const PresetPtr> presets);

}  // namespace pw::library
