// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What convert tells about each file: how it ended and what was changed on the way,
// as one JSON document (--json) or short lines on stderr.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "convert/convert.h"
#include "filter/resolve.h"

namespace pw::cli {

enum class FileOutcome { Written, Refused, Failed };

struct FileReport {
    std::string input;
    FileOutcome outcome = FileOutcome::Refused;
    std::string output;   // the file written or meant ("" when none was meant)
    std::string message;  // the last message about it
    std::string detail;   // what went wrong underneath, if it was said
    std::optional<std::pair<std::string, std::string>> nameFixed;  // old and new patch name
    filter::ResolveReport resolved;
    std::vector<convert::PickChange> picks;  // the rows --pick wrote
};

// Something of the inputs that is not a preset (a broken pack, an unreadable folder).
struct ConvertProblem {
    std::string path;
    std::string problem;
    std::string detail;
};

struct ConvertTally {
    int converted = 0;
    int refused = 0;
    int failed = 0;
    std::vector<ConvertProblem> problems;
    std::size_t skipped = 0;  // files and members that are no preset
    void count(FileOutcome outcome);
};

// {"files": [{"input", "outcome": "written"|"refused"|"failed", "output", "message",
//   "detail", "patch_name_fixed": {"from", "to"} or null, "substitutions": [...],
//   "removals": [...], "conflicts_left"}, ...], "problems": [{"path", "problem",
//   "detail"}, ...], "converted", "refused", "failed", "skipped"}
void writeConvertJson(std::ostream& out, const std::vector<FileReport>& files,
                      const ConvertTally& tally);

// "Converted N, refused N, failed N", then ", N problems" when there are any
void writeConvertSummary(std::ostream& out, const ConvertTally& tally);

// The one line about what Resolve did: "resolved: N substituted, N removed, N conflicts left".
std::string resolveLine(const filter::ResolveReport& report);
// Then one line per change, as the window's summary words it, indented under that line:
// "  Row 11 Amp A Type: Stoner Rock → 01 Dual Rectifier (high gain)",
// "  removed: Octaver Octave 1 = 75 (the RP250 has no Octaver)".
std::vector<std::string> resolveChangeLines(const filter::ResolveReport& report);

}  // namespace pw::cli
