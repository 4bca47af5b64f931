// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli filter FILE --target MODEL [--amp A|B] [--json]
//
// The clicks are made whatever the window's buttons would allow: Filter Patch, then
// Amp A or Amp B.

#include "commands.h"
#include "exit_status.h"
#include "session_setup.h"

namespace pw::cli {

int runFilter(const Options& options, const Console& console) {
    const std::string& file = options.files.front();
    CliMessenger messenger(console.err, AnswerPolicy{options.overwrite}, file);
    Session session(messenger);
    if (!openForTarget(session, targetOrDefault(options), file)) return kExitNotLoadable;
    session.filter();
    if (options.amp && !session.selectAmpChannel(*options.amp)) return kExitRefused;
    printList(session, file, options, console);
    return kExitOk;
}

namespace {

std::string filterIncomplete(const Options& o) {
    if (o.files.empty()) return "filter needs a preset file";
    if (o.files.size() > 1) return "filter takes one preset file";
    if (!o.target) return "filter needs --target MODEL";
    return {};
}

constexpr std::string_view kFilterOptions[] = {
    "--target",
    "--json",
    "--amp",
};

}  // namespace

extern const Command kFilterCommand;
const Command kFilterCommand{
    "filter",
    kFilterOptions,
    R"(  patchwright-cli filter FILE --target MODEL [--amp A|B] [--json]
)",
    R"(  filter FILE     Open FILE as check does, then click Filter Patch, then (with --amp)
                  Amp A or Amp B, and print the list: rows removed, renumbered and
                  inserted by the recipe, rewritten cells marked as changes. Conflict
                  marks that remain do not change the exit status. --target is required.
)",
    filterIncomplete,
    runFilter,
};

}  // namespace pw::cli
