// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the commands share: opening a preset as the window does, printing the list,
// and telling how a Save or an export ended.

#include <string>

#include "cli_messenger.h"
#include "exit_status.h"
#include "options.h"
#include "session/session.h"
#include "session/write_outcome.h"
#include "terminal.h"

namespace pw::cli {

// The target of the command line, or RP255 (the window's start-up target).
const document::Target& targetOrDefault(const Options& options);

// Start-up, the click on the target's option, then File > Open with `file`. Returns
// whether the file was loaded (its message, if not, has been shown).
bool openForTarget(Session& session, const document::Target& target, const std::string& file);

// Prints the session's list as the options ask (table or JSON).
void printList(const Session& session, const std::string& file, const Options& options,
               const Console& console);

// The exit status after a Save or an export: done when the file was written, refused
// when a check refused it or a question was answered No, cannot write when it failed.
ExitStatus exitStatusOf(const WriteResult& result);

}  // namespace pw::cli
