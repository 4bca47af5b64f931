// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a preset fares against a target model and amp channel, judged by the same
// conversion `convert` runs.

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/convert.h"
#include "document/preset_document.h"
#include "document/targets.h"

namespace pw::library {

enum class Status {
    Fits,        // savable for the target after filtering and the amp channel alone
    Converts,    // savable once Resolve Conflicts has run
    Cannot,      // not savable for the target even then
    ViewOnly,    // a model that is opened for viewing only, or no known root
    Unreadable,  // the preset cannot be loaded
};
inline constexpr std::size_t kStatusCount = 5;

// "fits", "converts", "cannot", "view-only", "unreadable".
std::string_view statusWord(Status status);

struct Triage {
    Status status = Status::Unreadable;
    std::size_t substitutions = 0;  // what Resolve Conflicts substitutes (converts)
    std::size_t removals = 0;       // and removes
    std::string reason;             // why it cannot be saved, or cannot be read; else ""
    // The patch name is judged apart from the status: whether Save would refuse it, and
    // the name convert --fix-names saves it under.
    bool nameRefused = false;
    std::string fixedName;
    std::string unfixedName;  // the name Save would be given without --fix-names
};

// The target and amp channel presets are triaged against.
struct TriageSettings {
    const document::Target* target = nullptr;
    char amp = 'A';
    bool operator==(const TriageSettings&) const = default;
};

// Why a conversion that ends short of Save is refused, in the library's one wording (the
// triage's reason, the plan's and the conversion report's): `result.verdict` is Refused,
// BadPick, ViewOnly or Unreadable.
std::string cannotConvertReason(const convert::Result& result, const document::Target& target);

// Triage of one preset's bytes. `amp` is 'A', 'B' or 0 (no channel chosen: a preset
// with two amp channels then cannot be saved for a target with one).
// `sourceStem` is the file or member's name without its extension (see convertPreset).
Triage triage(std::string_view bytes, const document::Target& target, char amp,
              std::string_view sourceStem = {});

// The same for a preset read already: `parsed` is document::parsePreset of its bytes and
// `sourceRoot` the root name the read test finds in them. The rows take over its texts.
Triage triage(document::ParseResult parsed, std::string sourceRoot, const document::Target& target,
              char amp, std::string_view sourceStem = {});

}  // namespace pw::library
