// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli export FILE (--user|--complete) [--target MODEL] [--overwrite]
//
// Tools > Export User Text / Export Complete Text: writes FILE.txt.

#include "commands.h"
#include "exit_status.h"
#include "session_setup.h"

namespace pw::cli {

int runExport(const Options& options, const Console& console) {
    const std::string& file = options.files.front();
    CliMessenger messenger(console.err, AnswerPolicy{options.overwrite}, file);
    Session session(messenger);
    if (!openForTarget(session, targetOrDefault(options), file)) return kExitNotLoadable;
    const WriteResult result = options.exportKind == ExportKind::Complete
                                   ? session.exportCompleteText()
                                   : session.exportUserText();
    return exitStatusOf(result);
}

namespace {

std::string exportIncomplete(const Options& o) {
    if (o.files.empty()) return "export needs a preset file";
    if (o.files.size() > 1) return "export takes one preset file";
    if (o.exportKind == ExportKind::None) return "export needs --user or --complete";
    return {};
}

constexpr std::string_view kExportOptions[] = {
    "--target",
    "--user",
    "--complete",
    "--overwrite",
};

}  // namespace

extern const Command kExportCommand;
const Command kExportCommand{
    "export",
    kExportOptions,
    R"(  patchwright-cli export FILE (--user|--complete) [--target MODEL] [--overwrite]
)",
    R"(  export FILE     Write FILE.txt as Tools > Export User Text (--user) or Export
                  Complete Text (--complete) does, for the target (default RP255).
)",
    exportIncomplete,
    runExport,
};

}  // namespace pw::cli
