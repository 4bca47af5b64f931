// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What check and filter print: the session's patch state and its parameter list.

#include <cstddef>
#include <string>

#include "params/param_list.h"
#include "session/session.h"

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

// Writes a report in one output format.
class ListFormatter {
  public:
    virtual ~ListFormatter() = default;
    virtual void write(std::ostream& out, const ListReport& report) const = 0;
};

}  // namespace pw::cli
