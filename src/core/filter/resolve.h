// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resolve Conflicts: what is still in conflict after filtering, resolved the way a user
// resolves it by hand. A model the target does not know is replaced by its substitute
// (as a Model Select pick writes it); then every row whose ID, or whose ID at its
// position, the target does not know is removed (as Ctrl+Delete removes it). Conflicts
// of any other kind stay.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/effect_catalogue.h"
#include "document/targets.h"
#include "params/param_list.h"

namespace pw::filter {

// Row numbers count from 1 in the list as Resolve found it, before any removal.
struct Substituted {
    std::size_t row;
    std::string name;        // the row's Name
    std::string oldSetting;  // the model as the preset named it
    std::string oldValue;
    std::string newSetting;  // the catalogue name written
    std::string newValue;
    std::string_view reason;  // from the substitution table
};

struct Removed {
    std::size_t row;
    std::string name;
    std::string id;
    std::string position;
};

struct ResolveReport {
    std::vector<Substituted> substitutions;
    std::vector<Removed> removals;
    std::size_t conflictsLeft = 0;  // marked cells afterwards, as the Errors button counts
};

// Whether `target`'s check tables know `value` as a model of `block`.
bool targetKnowsModel(const catalogue::Block& block, double value, const document::Target& target);

// Writes a catalogue entry into a model-select row as a Model Select pick does.
void writeModel(Row& row, const catalogue::Entry& entry);

// Resolves the rows that carry a conflict mark. A row whose Name, ID or Position cell is
// marked is removed; a model-select row marked on its Setting or Value only gets the
// substitute of the table when the target does not know its model.
ResolveReport ResolveConflicts(ParamList& list, const document::Target& target);

}  // namespace pw::filter
