// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli diff A B [--target MODEL] [--json]
//
// Both presets are opened as check opens them, each in its own session, and their
// lists compared.

#include "commands.h"
#include "diff_report.h"
#include "exit_status.h"
#include "session_setup.h"

namespace pw::cli {

int runDiff(const Options& options, const Console& console) {
    const std::string& fileA = options.files[0];
    const std::string& fileB = options.files[1];
    const document::Target& target = targetOrDefault(options);
    CliMessenger messengerA(console.err, AnswerPolicy{}, fileA);
    CliMessenger messengerB(console.err, AnswerPolicy{}, fileB);
    Session a(messengerA);
    Session b(messengerB);
    const bool loadedA = openForTarget(a, target, fileA);
    const bool loadedB = openForTarget(b, target, fileB);
    if (!loadedA || !loadedB) return kExitNotLoadable;

    const DiffReport report = makeDiffReport(a, fileA, b, fileB);
    if (options.json)
        writeJson(console.out, diffJson(report));
    else
        writeDiffText(console.out, report, TableStyle{console.colour});
    console.out.flush();
    return report.diff.equal() ? kExitOk : kExitDiffer;
}

namespace {

std::string diffIncomplete(const Options& o) {
    return o.files.size() != 2 ? "diff needs two preset files" : "";
}

constexpr std::string_view kDiffOptions[] = {
    "--target",
    "--json",
};

}  // namespace

extern const Command kDiffCommand;
const Command kDiffCommand{
    "diff",
    kDiffOptions,
    R"(  patchwright-cli diff A B [--target MODEL] [--json]
)",
    R"(  diff A B        Open A and B as check does (default target RP255) and print what
                  differs between their lists: rows only in A, rows only in B, and
                  rows whose Name, Setting, Position or Value differ ("old -> new").
                  Rows are paired by ID, first with the same Position, then in list
                  order, so a renumbered row shows as a changed Position and a renamed
                  row as a changed Name.
)",
    diffIncomplete,
    runDiff,
};

}  // namespace pw::cli
