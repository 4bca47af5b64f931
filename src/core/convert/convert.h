// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One preset converted for a target, the way the window converts it by hand: open it for
// the target, Filter Patch when the families differ, the amp channel, the picks of Model
// Select, Resolve Conflicts, a new or mended name, then Save's checks and the new
// preset's bytes. Pure: bytes in, a result out; no file, no message, no history, so any
// number of presets can be converted at once on any thread.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/save_check.h"
#include "document/preset_document.h"
#include "document/targets.h"
#include "filter/resolve.h"
#include "params/param_list.h"

namespace pw::convert {

// A Model Select pick by name: every row whose Name is `row` (letter case ignored) gets
// the catalogue model `model` of its block (letter case ignored).
struct Pick {
    std::string row;
    std::string model;
};

struct Plan {
    const document::Target* target = nullptr;  // required
    // 'A' or 'B': the channel kept of a two-channel preset (ignored for the others).
    // 0: none, so a two-channel preset going to a one-channel model is refused by Save.
    char amp = 0;
    std::vector<Pick> picks;          // in order, after the amp channel
    bool resolve = false;             // Resolve Conflicts, when the window would offer it
    std::optional<std::string> name;  // the patch name to save under
    bool fixNames = false;            // refused characters of the name become "_"
    bool render = true;               // produce the new preset's bytes when it can be saved
    // With Resolve: tell the rows Filter Patch and the amp channel took among its changes
    // (a triage that only counts needs not).
    bool tellRemovals = true;
};

enum class Verdict {
    Saved,       // Save's checks pass without Resolve Conflicts
    Resolved,    // they pass only after Resolve Conflicts changed something
    Refused,     // a check of Save refuses (see `refusal`)
    ViewOnly,    // a model that can only be viewed, or no known model
    Unreadable,  // the preset cannot be loaded (see `load`)
    BadPick,     // a pick could not be made (see `pickProblem`)
};

// Why a preset could not be loaded.
enum class LoadFailure {
    None,
    NotLoadable,       // not a readable document, or no Name element
    ParameterMissing,  // a Param element lacks a child (`missingChild`)
};

// One row a pick wrote.
struct PickChange {
    std::size_t row = 0;  // from 1, in the list as the pick found it
    std::string name;
    std::string oldSetting, oldValue;
    std::string newSetting, newValue;
    std::vector<filter::SettingWritten> settings;  // the knobs the picked model got
};

// Why a pick could not be made.
struct PickProblem {
    enum class Kind { SelectsNoModel, NotInBlock };
    Kind kind = Kind::SelectsNoModel;
    std::size_t row = 0;
    std::string rowName;
    std::string model;
    std::string blockTitle;  // for NotInBlock
};

struct Result {
    Verdict verdict = Verdict::Unreadable;

    // Reading.
    LoadFailure load = LoadFailure::None;
    document::ReadStatus readStatus = document::ReadStatus::Ok;
    std::string readDetail;    // what the reader found wrong ("" when nothing)
    std::string missingChild;  // for LoadFailure::ParameterMissing
    std::string sourceRoot;    // "" when no known root occurs

    // Names.
    std::string originalName;  // the preset's own patch name
    std::string patchName;     // as saved (after the amp channel, `name` and fix names)
    std::string unfixedName;   // the name before fix names
    bool nameRefused = false;  // Save, or a batch ("", ".", ".."), would refuse that name
    std::string fixedName;     // what fix names makes of it
    std::string fileName;      // "<patch name><target extension>", no folder

    // Changes on the way.
    std::vector<PickChange> picks;
    std::vector<std::size_t> pickMatches;  // rows each pick of the plan matched, by pick
    std::optional<PickProblem> pickProblem;
    std::size_t conflictsBeforeResolve = 0;  // marked cells before Resolve Conflicts
    bool resolveRan = false;
    filter::ResolveReport resolveReport;

    std::optional<SaveRefusal> refusal;  // for Verdict::Refused
    std::string bytes;                   // the new preset (plan.render, Saved or Resolved)
    ParamList rows;                      // the rows as they stand at the end

    bool savable() const { return verdict == Verdict::Saved || verdict == Verdict::Resolved; }
};

// Converts one preset's bytes as `plan` says. `sourceStem` is the name of the file or
// member it came from without its extension: fix names saves a patch named "", "." or
// ".." under it.
Result convertPreset(std::string_view bytes, const Plan& plan, std::string_view sourceStem = {});

// The root the read test finds in a preset's bytes: UTF-16 text is decoded first, any
// other is searched as it is.
std::string sourceRootOf(std::string_view bytes);

// convertPreset for a preset read already (a library scan reads each preset once):
// `parsed` is document::parsePreset of its bytes, given up (its texts become the rows'
// without a copy), `sourceRoot` sourceRootOf them.
Result convertParsed(document::ParseResult&& parsed, std::string sourceRoot, const Plan& plan,
                     std::string_view sourceStem = {});

}  // namespace pw::convert
