// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What diff prints: the two presets as their lists show them for one target, and what
// differs between them.

#include <iosfwd>
#include <string>

#include "params/patch_diff.h"
#include "session/session.h"

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

// Writes a report in one output format.
class DiffFormatter {
  public:
    virtual ~DiffFormatter() = default;
    virtual void write(std::ostream& out, const DiffReport& report) const = 0;
};

}  // namespace pw::cli
