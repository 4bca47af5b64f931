// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli check FILE [--target MODEL] [--json]

#include "commands.h"
#include "exit_status.h"
#include "filter/list_edits.h"
#include "session_setup.h"

namespace pw::cli {

int runCheck(const Options& options, const Console& console) {
    const std::string& file = options.files.front();
    CliMessenger messenger(console.err, AnswerPolicy{options.overwrite});
    Session session(messenger);
    if (!openForTarget(session, targetOrDefault(options), file)) return kExitNotLoadable;
    printList(session, file, options, console);
    return filter::HasConflicts(session.rows()) == 1 ? kExitConflicts : kExitOk;
}

}  // namespace pw::cli
