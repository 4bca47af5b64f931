// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A model's own knobs, made whole when the model is new: when a model-select row gets
// another model (a substitute, a pick), the knobs of the model it held go and the knobs
// of the new model come, each with the value of the old knob that plays the same role
// (Gain into Drive, Volume into Level), else a value the model's table gives, else its
// neutral value. The rows stand where the family's own presets hold them: at the block's
// Position, in the order of their IDs.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/effect_catalogue.h"
#include "document/targets.h"
#include "params/param_list.h"

namespace pw::filter {

// One knob the new model got.
struct SettingWritten {
    std::string label;  // "Drive"
    std::string text;   // the value as the row shows it ("58", "630ms")
    std::string from;   // the old knob it was carried from ("Gain"), "" for none
    bool neutral = false;
    std::string why;  // for a value the table gives the substitute ("an octave down ...")
};

// What making a block whole does, planned on the list as it stands.
struct BlockPlan {
    int position = 0;
    const catalogue::Block* block = nullptr;
    std::int32_t model = 0;               // the model the block holds now
    std::vector<Row> added;               // the new model's knobs that were missing
    std::vector<std::size_t> dropped;     // rows (from 1) of knobs the new model lacks
    std::vector<bool> carried;            // by dropped row: its value went into a new knob
    std::vector<SettingWritten> written;  // by added row
    // The knobs a pedal may follow: an old knob's ID and the new knob of its role.
    std::vector<std::pair<std::int32_t, std::int32_t>> moves;
};

// The block of the model-select row `modelRow`, when its models have knobs of their own.
const catalogue::Block* settingsBlockOfRow(const Row& row);

// Plans the knobs of the model that row `modelRow` holds now, in place of `replaced`
// (the model the row held before, for its knobs' roles; the same model when it did not
// change). Knobs the target does not accept are not added. Nothing is planned (nullopt)
// when the model has no knobs in the table or the block has them all and no others.
std::optional<BlockPlan> planBlock(const ParamList& list, std::size_t modelRow,
                                   std::int32_t replaced, const document::Target& target);

// Whether the knobs of the model of row `modelRow` are all present (true for a model
// without knobs in the table); the labels of those missing otherwise.
std::vector<std::string> missingSettings(const ParamList& list, std::size_t modelRow);

// For each model the list holds without a conflict whose own knobs are not all there:
// "Dist Type Screamer TS9: no Drive, Tone, Level".
std::vector<std::string> missingSettingsWarnings(const ParamList& list);

// Inserts `row` at its place: among the rows of its Position, before the first with a
// larger ID, else after the last of them, else at the end. Returns its number (from 1).
std::size_t insertInPlace(ParamList& list, Row row);

// Carries `plan` out on the list it was planned on: the dropped rows go, the added come.
void applyBlock(ParamList& list, const BlockPlan& plan);

// Whether the target's checks accept `row` as it stands (no cell would be marked).
bool targetAccepts(const Row& row, const document::Target& target);

}  // namespace pw::filter
