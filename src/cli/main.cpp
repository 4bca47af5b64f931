// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli: the Patchwright commands without the window.

#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "commands.h"
#include "exit_status.h"
#include "help.h"
#include "options.h"
#include "terminal.h"

int main(int argc, char** argv) {
    using namespace pw::cli;
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    const ParseResult parsed = parseArguments(args);
    if (!parsed.ok()) {
        std::cerr << "patchwright-cli: " << parsed.error << '\n' << usageHint();
        return kExitUsage;
    }
    const Options& options = parsed.options;
    if (options.help) {
        std::cout << helpText();
        return kExitOk;
    }
    if (options.version) {
        std::cout << versionText();
        return kExitOk;
    }

    const Console console{std::cout, std::cerr, colourWanted(), isTerminal(2)};
    try {
        switch (options.command) {
            case Command::Check:
                return runCheck(options, console);
            case Command::Filter:
                return runFilter(options, console);
            case Command::Convert:
                return runConvert(options, console);
            case Command::Export:
                return runExport(options, console);
            case Command::Diff:
                return runDiff(options, console);
            case Command::None:
                break;
        }
    } catch (const std::exception& e) {
        std::cerr << "patchwright-cli: internal error: " << e.what() << '\n';
        return kExitSoftware;
    }
    std::cerr << "patchwright-cli: no command given\n" << usageHint();
    return kExitUsage;
}
