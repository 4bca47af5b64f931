// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line, parsed: which command runs and with what.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/targets.h"

namespace pw::cli {

struct Command;  // commands.h
enum class ExportKind { None, User, Complete };

struct Options {
    const Command* command = nullptr;  // null: none given
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
    const document::Target* target = nullptr;  // null: the command's default
    bool json = false;
    std::optional<char> amp;  // 'A' or 'B'
    std::optional<std::string> name;
    std::optional<std::string> outDir;
    bool overwrite = false;
    bool resolve = false;                                    // convert: Resolve Conflicts
    std::vector<std::pair<std::string, std::string>> picks;  // convert: ROW=MODEL, in order
    bool fixNames = false;  // convert: refused name characters -> "_"
    bool quiet = false;     // convert: only refusals and failures
    bool dryRun = false;    // convert: the report, nothing written
    bool summary = false;   // check: one line per file
    ExportKind exportKind = ExportKind::None;
    // scan: the search criteria, duplicates only, CSV instead of a table
    std::optional<std::string> find, uses, model;
    bool duplicates = false;
    bool csv = false;
    // mark: the marks made on every preset found
    std::optional<bool> favourite, hidden;
    std::vector<std::string> tags, untags;
    std::optional<std::string> note;
    std::optional<std::string> svg;  // chain: the picture to write
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the command line is valid
    bool ok() const { return error.empty(); }
};

// Parses the arguments after the program name. Options may stand before or after the
// files, as `--opt value` or `--opt=value`; `--` ends the options.
ParseResult parseArguments(const std::vector<std::string_view>& args);

}  // namespace pw::cli
