// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli: the Patchwright commands without the window.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "commands.h"
#include "exit_status.h"
#include "help.h"
#include "options.h"
#include "table_writer.h"
#include "terminal.h"

namespace {

// Everything printed must have reached standard output: a full disk or a closed pipe
// turns a successful run into a failure with a message.
int withOutputChecked(int status) {
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout.good() || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed) return status;
    const int error = errno;
    std::cerr << "patchwright-cli: standard output: "
              << (error != 0 ? std::strerror(error) : "write error") << '\n';
    return std::max(status, static_cast<int>(pw::cli::kExitOutputFailed));
}

int run(int argc, char** argv);

}  // namespace

int main(int argc, char** argv) {
    // A closed pipe is reported as a failed write, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    return withOutputChecked(run(argc, argv));
}

namespace {

int run(int argc, char** argv) {
    using namespace pw::cli;
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    const ParseResult parsed = parseArguments(args);
    if (!parsed.ok()) {
        // The error may quote an argument: its control characters are shown escaped.
        std::cerr << "patchwright-cli: " << displayText(parsed.error) << '\n' << usageHint();
        return kExitUsage;
    }
    const Options& options = parsed.options;
    if (options.help) {
        std::cout << (options.command ? commandHelp(options.command->name) : helpText());
        return kExitOk;
    }
    if (options.version) {
        std::cout << versionText();
        return kExitOk;
    }

    const Console console{std::cout, std::cerr, colourWanted(), isTerminal(2)};
    if (!options.command) {
        std::cerr << "patchwright-cli: no command given\n" << usageHint();
        return kExitUsage;
    }
    try {
        return options.command->run(options, console);
    } catch (const std::exception& e) {
        std::cerr << "patchwright-cli: internal error: " << e.what() << '\n';
        return kExitSoftware;
    }
}

}  // namespace
