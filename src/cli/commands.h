// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sub-commands, one entry each: its name, the options it takes, its part of the help,
// what it needs once every argument is read, and its run. Each command's file defines its
// entry; commands.cpp lists them. A new command is its file and two lines there.

#include <span>
#include <string>
#include <string_view>

#include "options.h"
#include "terminal.h"

namespace pw::cli {

struct Command {
    std::string_view name;                      // as typed: "check"
    std::span<const std::string_view> options;  // the options it accepts: "--target", ...
    std::string_view usage;                     // its lines under "Usage:"
    std::string_view help;                      // its entry under "Commands:"
    // The usage error when the command line lacks what the command needs, "" otherwise.
    std::string (*incomplete)(const Options& options);
    // Runs the command; returns the exit status.
    int (*run)(const Options& options, const Console& console);
};

// Every command, in the order the help lists them.
std::span<const Command* const> commands();
// The command typed as `name`, or null.
const Command* commandNamed(std::string_view name);

}  // namespace pw::cli
