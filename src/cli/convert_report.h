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
    std::optional<std::pair<std::string, std::string>> nameFixed;  // old and new patch name
    filter::ResolveReport resolved;
    std::vector<convert::PickChange> picks;  // the rows --pick wrote
};

struct ConvertTally {
    int converted = 0;
    int refused = 0;
    int failed = 0;
    void count(FileOutcome outcome);
};

// {"files": [{"input", "outcome": "written"|"refused"|"failed", "output", "message",
//   "patch_name_fixed": {"from", "to"} or null, "substitutions": [...], "removals": [...],
//   "conflicts_left"}, ...], "converted", "refused", "failed"}
void writeConvertJson(std::ostream& out, const std::vector<FileReport>& files,
                      const ConvertTally& tally);

// "Converted N, refused N, failed N"
void writeConvertSummary(std::ostream& out, const ConvertTally& tally);

// The one line about what Resolve did: "resolved: N substituted, N removed, N conflicts left".
std::string resolveLine(const filter::ResolveReport& report);

}  // namespace pw::cli
