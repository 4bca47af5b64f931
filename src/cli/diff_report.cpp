// SPDX-License-Identifier: GPL-3.0-or-later
#include "diff_report.h"

#include <algorithm>

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
