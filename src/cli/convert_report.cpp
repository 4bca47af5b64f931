// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert_report.h"

#include "json_writer.h"
#include "session/messages.h"

#include <ostream>

namespace pw::cli {

namespace {

const char* outcomeName(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Written:
            return "written";
        case FileOutcome::Failed:
            return "failed";
        case FileOutcome::Refused:
            break;
    }
    return "refused";
}

Json settingsJson(const std::vector<filter::SettingWritten>& settings) {
    Json list = Json::array();
    for (const filter::SettingWritten& s : settings)
        list.push_back(
            {{"setting", s.label}, {"value", s.text}, {"from", s.from}, {"neutral", s.neutral}});
    return list;
}

Json fileJson(const FileReport& f) {
    Json j;
    j["input"] = f.input;
    j["outcome"] = outcomeName(f.outcome);
    j["output"] = f.output;
    j["message"] = f.message;
    j["detail"] = f.detail;
    j["patch_name_fixed"] = nullptr;
    if (f.nameFixed)
        j["patch_name_fixed"] = {{"from", f.nameFixed->first}, {"to", f.nameFixed->second}};
    j["substitutions"] = Json::array();
    j["removals"] = Json::array();
    // A model whose knobs were only made whole is a substitution of itself.
    const auto substitution = [](const filter::ResolveChange& c, bool completed) {
        return Json{{"row", c.rowAfter},
                    {"name", c.name},
                    {"old_setting", c.oldSetting},
                    {"old_value", c.oldValue},
                    {"new_setting", completed ? c.oldSetting : c.newSetting},
                    {"new_value", completed ? c.oldValue : c.newValue},
                    {"character", c.character},
                    {"reason", completed ? std::string("its own knobs were missing") : c.reason},
                    {"settings", settingsJson(c.settings)}};
    };
    for (const filter::ResolveChange& c : f.resolved.changes) {
        if (c.kind == filter::ChangeKind::Removed)
            j["removals"].push_back({{"name", c.name},
                                     {"id", c.id},
                                     {"position", c.position},
                                     {"setting", c.oldSetting},
                                     {"value", c.oldValue},
                                     {"reason", c.reason}});
        else
            j["substitutions"].push_back(substitution(c, c.kind == filter::ChangeKind::Completed));
    }
    j["conflicts_left"] = f.resolved.conflictsLeft;
    j["picks"] = nlohmann::ordered_json::array();
    for (const convert::PickChange& p : f.picks)
        j["picks"].push_back({{"row", p.row},
                              {"name", p.name},
                              {"old_setting", p.oldSetting},
                              {"old_value", p.oldValue},
                              {"new_setting", p.newSetting},
                              {"new_value", p.newValue},
                              {"settings", settingsJson(p.settings)}});
    return j;
}

}  // namespace

void ConvertTally::count(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Written:
            ++converted;
            break;
        case FileOutcome::Failed:
            ++failed;
            break;
        case FileOutcome::Refused:
            ++refused;
    }
}

void writeConvertJson(std::ostream& out, const std::vector<FileReport>& files,
                      const ConvertTally& tally) {
    Json j;
    j["files"] = Json::array();
    for (const FileReport& f : files)
        j["files"].push_back(fileJson(f));
    j["problems"] = Json::array();
    for (const ConvertProblem& p : tally.problems)
        j["problems"].push_back({{"path", p.path}, {"problem", p.problem}, {"detail", p.detail}});
    j["converted"] = tally.converted;
    j["refused"] = tally.refused;
    j["failed"] = tally.failed;
    j["skipped"] = tally.skipped;
    writeJson(out, j);
}

void writeConvertSummary(std::ostream& out, const ConvertTally& tally) {
    out << "Converted " << tally.converted << ", refused " << tally.refused << ", failed "
        << tally.failed;
    if (!tally.problems.empty())
        out << ", " << tally.problems.size()
            << (tally.problems.size() == 1 ? " problem" : " problems");
    out << '\n';
}

std::string resolveLine(const filter::ResolveReport& report) {
    return "resolved: " + std::to_string(report.substituted) + " substituted, " +
           std::to_string(report.removed) + " removed, " + std::to_string(report.conflictsLeft) +
           " conflicts left";
}

std::vector<std::string> resolveChangeLines(const filter::ResolveReport& report) {
    std::vector<std::string> lines;
    lines.reserve(report.changes.size());
    for (const filter::ResolveChange& change : report.changes)
        lines.push_back("  " + text::resolveChangeLine(change, true));
    return lines;
}

}  // namespace pw::cli
