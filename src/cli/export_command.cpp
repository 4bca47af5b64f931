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

}  // namespace pw::cli
