// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What check prints about each file: its list, or with --summary one line, and for a
// file that could not be loaded the reason.

#include <iosfwd>
#include <string>
#include <vector>

#include "json_writer.h"
#include "list_report.h"

namespace pw::cli {

enum class Verdict { Clean, Conflicts, NotLoadable };

struct CheckedFile {
    ListReport list;  // only the file and the target when it was not loaded
    Verdict verdict = Verdict::NotLoadable;
    std::string reason;  // the message that refused it ("" when loaded)
    std::string detail;  // what went wrong underneath, when the message had it
    // Models whose own knobs are not all there ("Dist Type Screamer TS9: no Drive"); a
    // warning apart from the conflicts, which changes no verdict.
    std::vector<std::string> missingSettings;
};

// One document whatever the number of files:
// {"files": [{"file", "verdict": "clean"|"conflicts"|"not loadable", "reason", "detail",
//   then the list's keys from "source_root" on (--summary: "source_root" and "errors"),
//   and "missing_settings": [TEXT...] when a model lacks knobs of its own}],
//  "clean", "conflicts", "not_loadable"}
Json checkJson(const std::vector<CheckedFile>& files, bool summary);

// "FILE: SOURCE_ROOT, N errors, VERDICT" per file, control characters in FILE escaped.
void writeCheckSummary(std::ostream& out, const std::vector<CheckedFile>& files);

}  // namespace pw::cli
