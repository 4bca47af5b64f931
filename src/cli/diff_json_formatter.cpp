// SPDX-License-Identifier: GPL-3.0-or-later
#include "diff_json_formatter.h"

#include <ostream>

namespace pw::cli {
namespace {

using nlohmann::ordered_json;

constexpr const char* kColumnKeys[kColumnCount] = {"name", "setting", "id", "position", "value"};

ordered_json sideJson(const DiffSide& side) {
    return ordered_json{
        {"file", side.file}, {"source_root", side.sourceRoot}, {"patch_name", side.patchName}};
}

ordered_json rowJson(const ParamList& rows, std::size_t number) {
    if (number == 0) return nullptr;
    ordered_json row = ordered_json::object();
    for (int c = 0; c < kColumnCount; ++c)
        row[kColumnKeys[c]] = rows.row(number).cells[static_cast<std::size_t>(c)];
    return row;
}

ordered_json numberJson(std::size_t number) {
    return number == 0 ? ordered_json(nullptr) : ordered_json(number);
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

}  // namespace

ordered_json DiffJsonFormatter::toJson(const DiffReport& report) {
    ordered_json rows = ordered_json::array();
    for (const RowDiff& d : report.diff.rows) {
        ordered_json columns = ordered_json::array();
        for (Column c : d.columns)
            columns.push_back(kColumnKeys[c]);
        rows.push_back(ordered_json{{"change", kindKey(d.kind)},
                                    {"row_a", numberJson(d.rowA)},
                                    {"row_b", numberJson(d.rowB)},
                                    {"a", rowJson(report.a.rows, d.rowA)},
                                    {"b", rowJson(report.b.rows, d.rowB)},
                                    {"differs", std::move(columns)}});
    }
    return ordered_json{{"a", sideJson(report.a)},
                        {"b", sideJson(report.b)},
                        {"target_root", report.targetRoot},
                        {"equal", report.diff.equal()},
                        {"patch_names_differ", report.diff.namesDiffer},
                        {"only_in_a", report.count(DiffKind::OnlyInA)},
                        {"only_in_b", report.count(DiffKind::OnlyInB)},
                        {"changed", report.count(DiffKind::Changed)},
                        {"rows", std::move(rows)}};
}

void DiffJsonFormatter::write(std::ostream& out, const DiffReport& report) const {
    // As the list's JSON: a stray invalid byte becomes U+FFFD rather than aborting.
    out << toJson(report).dump(2, ' ', false, ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace pw::cli
