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

}  // namespace pw::cli
