// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What diff prints: the two presets as their lists show them for one target, and what
// differs between them.

#include <iosfwd>
#include <string>

#include "json_writer.h"
#include "params/patch_diff.h"
#include "session/session.h"
#include "table_writer.h"

namespace pw::cli {

struct DiffSide {
    std::string file;  // as given on the command line
    std::string sourceRoot;
    std::string patchName;
    ParamList rows;
};

struct DiffReport {
    DiffSide a;
    DiffSide b;
    std::string targetRoot;
    PatchDiff diff;

    std::size_t count(DiffKind kind) const;
};

DiffReport makeDiffReport(const Session& a, std::string fileA, const Session& b, std::string fileB);

// {"a": {"file", "source_root", "patch_name"}, "b": {...}, "target_root", "equal",
//  "patch_names_differ", "only_in_a", "only_in_b", "changed", "rows": [{"change":
//  "only_in_a"|"only_in_b"|"changed", "row_a", "row_b", "a", "b", "differs": [...]}]}
Json diffJson(const DiffReport& report);

// Row A, row B, what changed, then the row's Name, ID, Setting, Position and Value,
// a changed cell as "old -> new".
Table diffTable(const DiffReport& report);

// Both sides, the table and the counts.
void writeDiffText(std::ostream& out, const DiffReport& report, const TableStyle& style);

}  // namespace pw::cli
