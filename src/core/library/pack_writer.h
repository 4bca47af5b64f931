// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A selection of presets shared as one .zip pack: each preset a member at the top of
// the pack under a name that cannot point outside it, and the report beside them. The
// pack is written whole or not at all.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/file_writer.h"

namespace pw::library {

struct PackEntry {
    std::string name;  // the file name it had ("Blues/lead.rp250p" keeps "lead.rp250p")
    std::string bytes;
};

struct PackResult {
    document::IoResult io;
    std::vector<std::string> members;  // the names written, in order, the report last
};

// The name a member gets: the last part of `name`, its control characters and the
// characters of paths ("/", "\\", ":") as "_", never empty, "." or "..".
std::string safeMemberName(std::string_view name);

// Writes `entries` and `report` (as "report.csv") into the zip `out`;
// two members of one name are told apart as "name (2).ext".
PackResult writePack(document::FileWriter& writer, const std::filesystem::path& out,
                     const std::vector<PackEntry>& entries, std::string_view report);

}  // namespace pw::library
