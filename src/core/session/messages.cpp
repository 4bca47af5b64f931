// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/messages.h"

#include "filter/resolve.h"
#include "session/messenger.h"

namespace pw {

const char* iconName(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return "critical";
        case Icon::Exclamation:
            return "exclamation";
        case Icon::Information:
            return "information";
        case Icon::Question:
            return "question";
        case Icon::None:
            break;
    }
    return "none";
}

namespace text {

std::string parameterMissing(std::string_view child) {
    return "Parameter <" + std::string(child) + "> missing.";
}

std::string badNameDetail(std::string_view character) {
    return "the patch name holds " + std::string(character);
}

std::string couldNotWrite(std::string_view file) {
    return "Could not write " + std::string(file) + ". Nothing was changed.";
}

std::string resolveSummary(const filter::ResolveReport& report) {
    const auto count = [](std::size_t n, std::string_view one, std::string_view many) {
        return std::to_string(n) + " " + std::string(n == 1 ? one : many);
    };
    std::string out =
        "Resolve Conflicts: " +
        count(report.substitutions.size(), "model substituted", "models substituted") + ", " +
        count(report.removals.size(), "row removed", "rows removed") + ".";
    if (!report.substitutions.empty()) out += "\n\nSubstituted:";
    for (const filter::Substituted& s : report.substitutions)
        out += "\nRow " + std::to_string(s.row) + " " + s.name + ": " + s.oldSetting + " (" +
               s.oldValue + ") -> " + s.newSetting + " (" + s.newValue + "), " +
               std::string(s.reason);
    if (!report.removals.empty()) out += "\n\nRemoved:";
    for (const filter::Removed& r : report.removals)
        out += "\nRow " + std::to_string(r.row) + " " + r.name + " (ID " + r.id + ", Position " +
               r.position + ")";
    out += "\n\n";
    out += report.conflictsLeft == 0
               ? "No conflict is left."
               : count(report.conflictsLeft, "conflict mark is", "conflict marks are") +
                     " left: pick a model or remove the row by hand before saving.";
    return out;
}

std::string onePresetAtATime(std::string_view taken, const std::vector<std::string>& notOpened) {
    std::string text = "One preset is open at a time. Only the first file dropped was taken: " +
                       std::string(taken) + "\nNot opened:";
    for (const std::string& file : notOpened)
        text += "\n" + file;
    return text;
}

}  // namespace text
}  // namespace pw
