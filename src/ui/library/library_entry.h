// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One preset as the Library window shows it: what the scan read (shared with the jobs
// that triage and convert it off the window's thread), its status against the chosen
// target and amp channel, and the texts of its cells, made once.

#include <QString>
#include <cstddef>
#include <memory>
#include <optional>

#include "collection/collection_store.h"
#include "status_look.h"

namespace pw::library {
struct Preset;
}

namespace pw::ui {

using PresetPtr = std::shared_ptr<const library::Preset>;

// The status of a preset against a target, as the table shows it.
struct TriageView {
    LibraryStatus status = LibraryStatus::Unreadable;
    std::size_t substitutions = 0;
    std::size_t removals = 0;
    QString reason;
    bool nameRefused = false;
    QString fixedName;
};

// What the last conversion did with a preset.
enum class OutcomeKind { None, Written, Kept, Cannot, Collides, Failed, NotDone };

struct Outcome {
    OutcomeKind kind = OutcomeKind::None;
    QString output;  // the file written or that would be, bare name
    QString reason;
    std::size_t substitutions = 0;  // what Resolve Conflicts changed on the way
    std::size_t removals = 0;
};

struct LibraryEntry {
    PresetPtr preset;
    TriageView triage;
    std::optional<std::size_t> duplicateGroup;
    QString name;
    QString model;
    QString uses;
    QString style;     // what the preset is, "high gain, ambient"
    QString file;      // relative to the folder opened, "pack.zip › member" inside a pack
    QString sortName;  // the name in lower case, for sorting
    Outcome outcome;
    collection::Marks marks;  // the user's, as the store keeps them for its content
};

// The whole path, "…/pack.zip › member" inside a pack: made when shown, not kept.
QString wholePathOf(const LibraryEntry& entry);

}  // namespace pw::ui
