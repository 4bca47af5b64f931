// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/messages.h"

#include "filter/resolve.h"
#include "session/messenger.h"

namespace pw {

namespace text {

std::string parameterMissing(std::string_view child) {
    return "Parameter <" + std::string(child) + "> missing.";
}

std::string badNameDetail(std::string_view character) {
    return "the patch name holds " + std::string(character);
}

std::string dotsNameDetail(std::string_view name) {
    if (name.empty()) return "the patch name is empty and would make a hidden file";
    return "the patch name \"" + std::string(name) + "\" would make a hidden file";
}

std::string couldNotWrite(std::string_view file) {
    return "Could not write " + std::string(file) + ". Nothing was changed.";
}

std::string settingsText(const std::vector<filter::SettingWritten>& settings) {
    std::string text;
    for (const filter::SettingWritten& s : settings) {
        if (!text.empty()) text += ", ";
        text += s.label + " " + s.text;
        if (!s.from.empty())
            text += " (from " + s.from + ")";
        else if (!s.why.empty())
            text += " (" + s.why + ")";
        else if (s.neutral)
            text += " (neutral)";
    }
    return text;
}

std::string pickChangeLine(std::size_t row, const std::string& name, const std::string& oldSetting,
                           const std::string& newSetting,
                           const std::vector<filter::SettingWritten>& settings) {
    std::string line =
        "Row " + std::to_string(row) + " " + name + ": " + oldSetting + " \u2192 " + newSetting;
    if (!settings.empty()) line += "; " + settingsText(settings);
    return line;
}

std::string resolveChangeLine(const filter::ResolveChange& change, bool rowNumber) {
    const auto shown = [](const std::string& setting, const std::string& value) {
        return setting.empty() ? value : setting;
    };
    if (change.kind == filter::ChangeKind::Removed)
        return "removed: " + change.name + " = " + shown(change.oldSetting, change.oldValue) +
               " (" + change.reason + ")";
    std::string line = rowNumber ? "Row " + std::to_string(change.rowAfter) + " " : "";
    if (change.kind == filter::ChangeKind::Completed)
        return line + change.name + " " + shown(change.oldSetting, change.oldValue) + ": " +
               settingsText(change.settings);
    // A model names its character; a pedal names why it drives this control now.
    const std::string& why = change.character.empty() ? change.reason : change.character;
    line += change.name + ": " + shown(change.oldSetting, change.oldValue) + " \u2192 " +
            shown(change.newSetting, change.newValue) + " (" +
            (change.block == "Pedal assignment" ? change.reason : why) + ")";
    if (!change.settings.empty()) line += "; " + settingsText(change.settings);
    return line;
}

std::string resolveSummary(const filter::ResolveReport& report) {
    const auto count = [](std::size_t n, std::string_view one, std::string_view many) {
        return std::to_string(n) + " " + std::string(n == 1 ? one : many);
    };
    std::string out = "Resolve Conflicts: " +
                      count(report.substituted, "model substituted", "models substituted") + ", " +
                      count(report.removed, "row removed", "rows removed");
    if (report.completed > 0)
        out += ", " + count(report.completed, "model completed", "models completed");
    out += ".";
    if (!report.changes.empty()) out += "\n";
    for (const filter::ResolveChange& change : report.changes)
        out += "\n" + resolveChangeLine(change, true);
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
