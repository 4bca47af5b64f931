// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli check FILE... [--target MODEL] [--json] [--summary]

#include <algorithm>
#include <ostream>

#include "check_report.h"
#include "commands.h"
#include "exit_status.h"
#include "filter/block_settings.h"
#include "filter/list_edits.h"
#include "session_setup.h"

namespace pw::cli {

namespace {

int statusOf(Verdict verdict) {
    return verdict == Verdict::Clean       ? kExitOk
           : verdict == Verdict::Conflicts ? kExitConflicts
                                           : kExitNotLoadable;
}

}  // namespace

// Each file from a fresh start. The table prints each list as it is checked (--summary:
// one line each at the end); --json prints one document at the end.
int runCheck(const Options& options, const Console& console) {
    std::vector<CheckedFile> checked;
    int status = kExitOk;
    for (const std::string& file : options.files) {
        CliMessenger messenger(console.err, AnswerPolicy{options.overwrite}, file);
        Session session(messenger);
        CheckedFile c;
        if (openForTarget(session, targetOrDefault(options), file)) {
            c.verdict =
                filter::HasConflicts(session.rows()) == 1 ? Verdict::Conflicts : Verdict::Clean;
            c.list = makeReport(session, file);
            c.missingSettings = filter::missingSettingsWarnings(session.rows());
            for (const std::string& warning : c.missingSettings)
                messenger.note("missing settings: " + warning);
            if (!options.json && !options.summary) {
                writeListText(console.out, c.list, TableStyle{console.colour});
                console.out.flush();  // before the next file's messages on stderr
            }
        } else {
            c.list.file = file;
            c.list.targetRoot = std::string(session.target().root);
            c.reason = messenger.lastText();
            c.detail = messenger.lastDetail();
        }
        status = std::max(status, statusOf(c.verdict));
        // The summary and --json need no rows kept past their file.
        if (!options.json || options.summary) c.list.rows.clear();
        checked.push_back(std::move(c));
    }
    if (options.json)
        writeJson(console.out, checkJson(checked, options.summary));
    else if (options.summary)
        writeCheckSummary(console.out, checked);
    console.out.flush();
    return status;
}

namespace {

std::string checkIncomplete(const Options& o) {
    return o.files.empty() ? "check needs a preset file" : "";
}

constexpr std::string_view kCheckOptions[] = {
    "--target",
    "--json",
    "--summary",
};

}  // namespace

extern const Command kCheckCommand;
const Command kCheckCommand{
    "check",
    kCheckOptions,
    R"(  patchwright-cli check FILE... [--target MODEL] [--json] [--summary]
)",
    R"(  check FILE...   Open FILE as File > Open does, with the pass of the target model
                  (default RP255), and print the parameter list with the cells that the
                  target does not know marked as conflicts, and the error count.
                  Several files print their lists one after another; with --summary,
                  one line per file instead:
                  "FILE: ROOT, N errors, clean|conflicts|not loadable". With --json,
                  one JSON document for all the files, those that could not be loaded
                  included (see Check output). The exit status is the highest of the
                  files'. A model whose own knobs are not all in the file is named on
                  standard error ("missing settings: Dist Type Screamer TS9: no Drive,
                  Tone, Level"); it changes no mark, count or exit status.
)",
    checkIncomplete,
    runCheck,
};

}  // namespace pw::cli
