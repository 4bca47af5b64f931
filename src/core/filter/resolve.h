// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Resolve Conflicts: what is still in conflict after filtering, resolved the way a user
// resolves it by hand. A model the target does not know is replaced by a substitute of
// the same character (as a Model Select pick writes it); then every row whose ID, or
// whose ID at its position, the target does not know is removed (as Ctrl+Delete removes
// it). Conflicts of any other kind stay. Every change is reported with what it was
// before, so that nothing goes without a word.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/effect_catalogue.h"
#include "document/targets.h"
#include "filter/block_settings.h"
#include "params/param_list.h"

namespace pw::filter {

enum class ChangeKind { Substituted, Removed, Completed };

// One row Resolve changed.
struct ResolveChange {
    ChangeKind kind = ChangeKind::Substituted;
    std::string name;          // the row's Name
    std::size_t rowAfter = 0;  // the row's number (from 1) after Resolve; 0 for a removed row
    std::string id;            // the row's ID and Position cells
    std::string position;
    // Substituted: the model as the preset named it. Removed: the setting and value lost.
    std::string oldSetting;
    std::string oldValue;
    // Substituted only: the catalogue model written.
    std::string newSetting;
    std::string newValue;
    std::string block;      // Substituted: the catalogue block's title ("Amp")
    std::string character;  // Substituted: what the two models share ("high gain"), or ""
    std::string reason;     // why this substitute, or why the row had to go
    // Substituted or Completed: the knobs the model got, with their values and where
    // each value came from.
    std::vector<SettingWritten> settings;
};

struct ResolveReport {
    std::vector<ResolveChange> changes;  // in the order of the rows as Resolve found them
    std::size_t substituted = 0;
    std::size_t removed = 0;
    std::size_t completed = 0;        // models whose missing knobs were added
    std::size_t settingsCarried = 0;  // knobs that took the value of the knob they replace
    std::size_t settingsNeutral = 0;  // knobs given a neutral value
    std::size_t conflictsLeft = 0;    // marked cells afterwards, as the Errors button counts
    // Rows Filter Patch and the amp channel took before Resolve ran, told among the
    // changes (first) but not counted in `removed`.
    std::size_t removedBefore = 0;
};

// The rows of `before` that `after` no longer holds, as removals for `reason`, when
// `after` came from `before` by steps that remove, renumber or add rows but keep their
// order (Filter Patch, the amp channel).
// `reason(row, emptied)` says why, `emptied` when no row of its Position is left.
std::vector<ResolveChange> removalsBetween(
    const ParamList& before, const ParamList& after,
    const std::function<std::string(const Row&, bool emptied)>& reason);

// Whether `target`'s check tables know `value` as a model of `block`.
bool targetKnowsModel(const catalogue::Block& block, double value, const document::Target& target);

// Writes a catalogue entry into a model-select row as a Model Select pick does.
void writeModel(Row& row, const catalogue::Entry& entry);

// Resolves the rows that carry a conflict mark. A row whose Name, ID or Position cell is
// marked is removed; a model-select row marked on its Setting or Value only gets a
// substitute when the target does not know its model. A substitute, and a model whose
// own knobs are not all there, gets its knobs with the values of the old knobs of the
// same role (the old knobs go). A pedal follows its knob to the substitute's knob of the
// same role; a pedal on a control of amp channel B is moved to the one channel when the
// list keeps channel B only, and left unassigned otherwise, and a pedal on a control of
// an amp channel whose rows are gone drives nothing.
// The rows Filter Patch took from `before` for the target `targetCaption`: a Position it
// emptied is named, a row taken alone by its name.
std::vector<ResolveChange> filterRemovals(const ParamList& before, const ParamList& after,
                                          std::string_view targetCaption);
// The rows the amp channel step took, keeping `kept` ('A' or 'B').
std::vector<ResolveChange> channelRemovals(const ParamList& before, const ParamList& after,
                                           char kept);

ResolveReport ResolveConflicts(ParamList& list, const document::Target& target);

}  // namespace pw::filter
