// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Library window shows of the core library: the status of a preset against the
// chosen target, the texts of a row made from what the scan found, and a preset read
// again for opening.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // combinations of models, and rows that share one share its characters. Past
    // kMostShared different texts, a text is made for its row alone.
    QString shared(std::string_view text) const;
    static constexpr std::size_t kMostShared = 4096;
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };

    std::vector<std::string> folders_;  // the inputs that are folders, ending in "/"
    mutable std::unordered_map<std::string, QString, TextHash, std::equal_to<>> shared_;
};

// A member of a pack or a preset file, read whole; `problem` says why not.
std::optional<std::string> readPresetBytes(const library::Preset& preset, QString& problem);

}  // namespace pw::ui
