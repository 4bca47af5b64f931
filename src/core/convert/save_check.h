// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Save's checks, in the order Save makes them: one function for the main window's Save
// and for the conversion of a preset without a window.

#include <optional>
#include <string_view>

#include "document/targets.h"
#include "params/param_list.h"

namespace pw::convert {

// Why Save refuses, one per refusing check.
enum class SaveRefusal {
    BadFileName,       // the patch name holds a character Save refuses
    LoadFileFirst,     // no file is open
    SelectAmpChannel,  // a two-channel patch going to a one-channel model, no channel chosen
    ClickFilter,       // the families differ and the patch has not been filtered
    TooManyConflicts,  // a cell still carries the conflict mark
};

// What Save looks at.
struct SaveState {
    std::string_view patchName;
    bool fileOpen = false;
    std::string_view sourceRoot;
    const document::Target* target = nullptr;
    bool filtered = false;
    bool ampChosen = false;
    const ParamList* rows = nullptr;
};

// True when source and target are of one family: Save then counts the patch as filtered.
bool needsNoFilter(std::string_view sourceRoot, const document::Target& target);

// The first check that refuses, or nullopt when Save may go on to its question.
std::optional<SaveRefusal> saveCheck(const SaveState& state);

}  // namespace pw::convert
