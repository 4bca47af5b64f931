// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What check and filter print: the session's patch state and its parameter list.

#include <cstddef>
#include <iosfwd>
#include <string>

#include "json_writer.h"
#include "params/param_list.h"
#include "session/session.h"
#include "table_writer.h"

namespace pw::cli {

struct ListReport {
    std::string file;  // as given on the command line
    std::string sourceRoot;
    std::string targetRoot;
    std::string patchName;
    std::string originalPatchName;
    bool filtered = false;
    bool ampChannel = false;  // the amp channel flag
    std::size_t errors = 0;   // conflict-marked cells, as the Errors button counts them
    ParamList rows;
};

ListReport makeReport(const Session& session, std::string file);

// Markers of marked cells when there is no colour.
inline constexpr char kConflictMarker = '!';
inline constexpr char kChangeMarker = '*';

// {"file", "source_root", "target_root", "patch_name", "original_patch_name", "filtered",
//  "amp_channel", "errors", "rows": [{"name", "setting", "id", "position", "value",
//  "marks": ["default"|"conflict"|"change", ...]}]}
Json listJson(const ListReport& report);

// The rows: "#", "Name", "Setting", "ID", "Position", "Value".
Table listTable(const ListReport& report);

// The patch state, the table, the Errors button's text and, without colour, what the
// markers mean.
void writeListText(std::ostream& out, const ListReport& report, const TableStyle& style);

}  // namespace pw::cli
