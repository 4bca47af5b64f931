// SPDX-License-Identifier: GPL-3.0-or-later
#include "diff_report.h"

#include <algorithm>
#include <ostream>

namespace pw::cli {
namespace {

DiffSide sideOf(const Session& session, std::string file) {
    return DiffSide{std::move(file), session.sourceRoot(), session.patchName(), session.rows()};
}

}  // namespace

std::size_t DiffReport::count(DiffKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        diff.rows.begin(), diff.rows.end(), [kind](const RowDiff& d) { return d.kind == kind; }));
}

DiffReport makeDiffReport(const Session& a, std::string fileA, const Session& b,
                          std::string fileB) {
    DiffReport r;
    r.a = sideOf(a, std::move(fileA));
    r.b = sideOf(b, std::move(fileB));
    r.targetRoot = std::string(a.target().root);
    r.diff = diffPatches(r.a.patchName, r.a.rows, r.b.patchName, r.b.rows);
    return r;
}

}  // namespace pw::cli

namespace pw::cli {
namespace {

constexpr const char* kColumnKeys[kColumnCount] = {"name", "setting", "id", "position", "value"};

Json sideJson(const DiffSide& side) {
    return Json{
        {"file", side.file}, {"source_root", side.sourceRoot}, {"patch_name", side.patchName}};
}

Json rowJson(const ParamList& rows, std::size_t number) {
    if (number == 0) return nullptr;
    Json row = Json::object();
    for (int c = 0; c < kColumnCount; ++c)
        row[kColumnKeys[c]] = rows.row(number).cells[static_cast<std::size_t>(c)];
    return row;
}

Json numberJson(std::size_t number) {
    return number == 0 ? Json(nullptr) : Json(number);
}

const char* kindKey(DiffKind kind) {
    switch (kind) {
        case DiffKind::OnlyInA:
            return "only_in_a";
        case DiffKind::OnlyInB:
            return "only_in_b";
        case DiffKind::Changed:
            break;
    }
    return "changed";
}

std::string_view changeText(DiffKind kind) {
    switch (kind) {
        case DiffKind::OnlyInA:
            return "only in A";
        case DiffKind::OnlyInB:
            return "only in B";
        case DiffKind::Changed:
            break;
    }
    return "changed";
}

std::string numberOr(std::size_t number) {
    return number == 0 ? std::string("-") : std::to_string(number);
}

constexpr Column kCellOrder[] = {kName, kId, kSetting, kPosition, kValue};
constexpr std::size_t kSideWidth = (TableStyle{}.maxWidth - 4) / 2;  // " -> " between

}  // namespace

Json diffJson(const DiffReport& report) {
    Json rows = Json::array();
    for (const RowDiff& d : report.diff.rows) {
        Json columns = Json::array();
        for (Column c : d.columns)
            columns.push_back(kColumnKeys[c]);
        rows.push_back(Json{{"change", kindKey(d.kind)},
                            {"row_a", numberJson(d.rowA)},
                            {"row_b", numberJson(d.rowB)},
                            {"a", rowJson(report.a.rows, d.rowA)},
                            {"b", rowJson(report.b.rows, d.rowB)},
                            {"differs", std::move(columns)}});
    }
    return Json{{"a", sideJson(report.a)},
                {"b", sideJson(report.b)},
                {"target_root", report.targetRoot},
                {"equal", report.diff.equal()},
                {"patch_names_differ", report.diff.namesDiffer},
                {"only_in_a", report.count(DiffKind::OnlyInA)},
                {"only_in_b", report.count(DiffKind::OnlyInB)},
                {"changed", report.count(DiffKind::Changed)},
                {"rows", std::move(rows)}};
}

Table diffTable(const DiffReport& report) {
    Table t{{{"A", Align::Right},
             {"B", Align::Right},
             {"Change"},
             {"Name"},
             {"ID"},
             {"Setting"},
             {"Position"},
             {"Value"}},
            {}};
    for (const RowDiff& d : report.diff.rows) {
        std::vector<TableCell>& line = t.rows.emplace_back();
        line.push_back(plainCell(numberOr(d.rowA)));
        line.push_back(plainCell(numberOr(d.rowB)));
        line.push_back(plainCell(std::string(changeText(d.kind))));
        const Row* a = d.rowA ? &report.a.rows.row(d.rowA) : nullptr;
        const Row* b = d.rowB ? &report.b.rows.row(d.rowB) : nullptr;
        for (Column c : kCellOrder) {
            std::string text = (a ? a : b)->cells[c];
            // Each side of a change is cut on its own, so that both stay in sight.
            if (std::find(d.columns.begin(), d.columns.end(), c) != d.columns.end())
                text =
                    displayText(text, kSideWidth) + " -> " + displayText(b->cells[c], kSideWidth);
            line.push_back(plainCell(std::move(text)));
        }
    }
    return t;
}

void writeDiffText(std::ostream& out, const DiffReport& report, const TableStyle& style) {
    writeFields(out, {{"File A", report.a.file},
                      {"File B", report.b.file},
                      {"Source root A", report.a.sourceRoot},
                      {"Source root B", report.b.sourceRoot},
                      {"Target root", report.targetRoot},
                      {"Patch name A", report.a.patchName},
                      {"Patch name B", report.b.patchName}});
    out << '\n';
    if (report.diff.rows.empty())
        out << "(no row differs)\n";
    else
        writeTable(out, diffTable(report), style);
    out << '\n';
    if (report.diff.namesDiffer) out << "The patch names differ.\n";
    out << "Only in A " << report.count(DiffKind::OnlyInA) << ", only in B "
        << report.count(DiffKind::OnlyInB) << ", changed " << report.count(DiffKind::Changed)
        << '\n';
}

}  // namespace pw::cli
