// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_report.h"

#include <algorithm>
#include <ostream>

#include "filter/list_edits.h"

namespace pw::cli {

ListReport makeReport(const Session& session, std::string file) {
    ListReport r;
    r.file = std::move(file);
    r.sourceRoot = session.sourceRoot();
    r.targetRoot = std::string(session.target().root);
    r.patchName = session.patchName();
    r.originalPatchName = session.originalPatchName();
    r.filtered = session.filtered();
    r.ampChannel = session.ampChannelChosen();
    r.errors = filter::CountErrors(session.rows());
    r.rows = session.rows();
    return r;
}

Json listJson(const ListReport& report) {
    Json rows = Json::array();
    for (const Row& row : report.rows) {
        Json marks = Json::array();
        for (Mark m : row.marks)
            marks.push_back(markName(m));
        rows.push_back(Json{{"name", row.name()},
                            {"setting", row.setting()},
                            {"id", row.id()},
                            {"position", row.position()},
                            {"value", row.value()},
                            {"marks", std::move(marks)}});
    }
    return Json{{"file", report.file},
                {"source_root", report.sourceRoot},
                {"target_root", report.targetRoot},
                {"patch_name", report.patchName},
                {"original_patch_name", report.originalPatchName},
                {"filtered", report.filtered},
                {"amp_channel", report.ampChannel},
                {"errors", report.errors},
                {"rows", std::move(rows)}};
}

Table listTable(const ListReport& report) {
    Table t{{{"#", Align::Right}, {"Name"}, {"Setting"}, {"ID"}, {"Position"}, {"Value"}}, {}};
    t.rows.reserve(report.rows.count());
    std::size_t number = 0;
    for (const Row& row : report.rows) {
        std::vector<TableCell>& line = t.rows.emplace_back();
        line.reserve(1 + kColumnCount);
        line.push_back(plainCell(std::to_string(++number)));
        for (int c = 0; c < kColumnCount; ++c) {
            const Mark mark = row.marks[static_cast<std::size_t>(c)];
            TableCell cell = plainCell(row.cells[static_cast<std::size_t>(c)]);
            if (mark == Mark::Conflict) cell = {cell.text, Tone::Red, {kConflictMarker}};
            if (mark == Mark::Change) cell = {cell.text, Tone::Blue, {kChangeMarker}};
            line.push_back(std::move(cell));
        }
    }
    return t;
}

void writeListText(std::ostream& out, const ListReport& report, const TableStyle& style) {
    const auto yesNo = [](bool b) { return std::string(b ? "yes" : "no"); };
    writeFields(out, {{"File", report.file},
                      {"Source root", report.sourceRoot},
                      {"Target root", report.targetRoot},
                      {"Patch name", report.patchName},
                      {"Original name", report.originalPatchName},
                      {"Filtered", yesNo(report.filtered)},
                      {"Amp channel", yesNo(report.ampChannel)}});
    out << '\n';
    writeTable(out, listTable(report), style);
    if (report.rows.empty()) out << "(no rows)\n";
    out << '\n' << filter::errorCountMessage(report.rows) << '\n';
    const bool anyMark = std::any_of(report.rows.begin(), report.rows.end(), [](const Row& r) {
        return std::any_of(r.marks.begin(), r.marks.end(),
                           [](Mark m) { return m != Mark::Default; });
    });
    if (!style.colour && anyMark)
        out << "Marks: " << kConflictMarker << " conflict, " << kChangeMarker << " change\n";
}

}  // namespace pw::cli
