#pragma once
// What the commands share: opening a preset as the window does, printing the list,
// and telling how a Save or an export ended.

#include <filesystem>
#include <string>

#include "cli_messenger.h"
#include "options.h"
#include "session/session.h"
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

enum class WriteOutcome { Written, Refused, Failed };
// After a Save or an export of a fresh session that writes to `file`: written, refused
// (a check, a declined question), or failed because the file could not be written.
WriteOutcome writeOutcome(const Session& session, const CliMessenger& messenger,
                          const std::filesystem::path& file);

}  // namespace pw::cli
