// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Library window shows of the core library: the status of a preset against the
// chosen target, the texts of a row made from what the scan found, and a preset read
// again for opening.

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/triage.h"
#include "library_entry.h"

namespace pw::ui {

using TriageSettings = library::TriageSettings;

TriageView triageView(const library::Triage& triage);

// Makes the shown texts of entries, the files relative to the input they came from.
class EntryMaker {
  public:
    EntryMaker() = default;
    explicit EntryMaker(const QStringList& inputs);
    LibraryEntry make(PresetPtr preset, const library::Triage& triage) const;

  private:
    // One text for every row that shows it: a collection has few models, styles and
    // combinations of models, and rows that share one share its characters.
    const QString& shared(std::string_view text) const;

    std::vector<std::string> folders_;  // the inputs that are folders, ending in "/"
    mutable std::map<std::string, QString, std::less<>> shared_;
};

// A member of a pack or a preset file, read whole; `problem` says why not.
std::optional<std::string> readPresetBytes(const library::Preset& preset, QString& problem);

}  // namespace pw::ui
