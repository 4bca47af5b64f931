// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings each effect model has: for a model of a block, the parameter rows that
// hold its knobs (a Screamer TS9's Drive, Tone and Level; a tape delay's Time, Repeats,
// Level, ducker, Wow and Flutter), each with the role it plays (drive, tone, level,
// time, repeats, speed, depth, mix ...) so that a substitute can take over the values
// of the model it replaces, and a neutral value for a knob nothing can be carried to.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pw::catalogue {

struct Setting {
    std::string_view block;  // the catalogue block's title: "Distortion", "Mod/FX", "Delay"
    std::int32_t model;      // the model's value
    std::int32_t id;         // the parameter ID of the knob
    std::string_view name;   // the row's Name as the family's own presets write it
    std::string_view label;  // the knob as a guitarist names it: "Drive"
    std::string_view role;   // what it does: "drive", "level", "time" ...
    int neutral;             // the value it gets when nothing can be carried to it
    int max;                 // the largest value the knob takes (the smallest is 0)
};

// A value a substitute's knob gets from the model it replaces whatever that model's
// knobs hold: an Octaver becomes a pitch shift an octave down.
struct SettingPreset {
    std::string_view block;
    std::int32_t replaced;  // the model replaced
    std::int32_t id;        // the knob of the substitute
    int value;
    std::string_view why;
};

// Every line of the table, grouped by block and model.
std::span<const Setting> allSettings();

// The knobs of `model` of `block`, in the order its presets hold them; empty for a model
// without knobs of its own (or unknown).
std::span<const Setting> settingsOf(std::string_view block, std::int32_t model);

// The Position the rows of a block's knobs stand at, or nullopt for a block whose
// models have no knobs of their own.
std::optional<int> settingsPosition(std::string_view block);

// Whether `id` at the block's position belongs to the block itself rather than to one
// of its models (the type, on/off and pre/post rows).
bool isBlockRow(std::string_view block, std::int32_t id);

// The role of a knob named `rowName` in `block` ("Delay Repeat Rate": "time"), from the
// table when `model` has a knob `id`, else from the words of the name; "" when none.
std::string_view roleOf(std::string_view block, std::int32_t model, std::int32_t id,
                        std::string_view rowName);

// The value `setting` takes when `replaced` is the model it stands in for, and why.
const SettingPreset* presetFor(std::string_view block, std::int32_t replaced, std::int32_t id);

// The Text a row of `setting` shows for `value`: the value itself, a delay time in ms or
// seconds, a waveform's name.
std::string settingText(const Setting& setting, int value);

}  // namespace pw::catalogue
