// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli mark PATH... [--favourite|--unfavourite] [--hide|--unhide] [--tag WORD]...
//                 [--untag WORD]... [--note TEXT]

#include <chrono>
#include <ostream>

#include "collection/marking.h"
#include "collection_open.h"
#include "commands.h"
#include "document/display_text.h"
#include "exit_status.h"
#include "terminal.h"

namespace pw::cli {

namespace {

int runMark(const Options& options, const Console& console) {
    collection::Store store;
    if (openCollection(store, console, IfMissing::Create, "nothing was marked") != Collection::Open)
        return kExitNotLoadable;
    collection::MarkChange change;
    change.favourite = options.favourite;
    change.hidden = options.hidden;
    change.addTags = options.tags;
    change.removeTags = options.untags;
    change.note = options.note;
    std::vector<std::filesystem::path> inputs(options.files.begin(), options.files.end());
    const collection::MarkOutcome outcome = collection::markInputs(store, inputs, change);
    for (const library::ScanProblem& p : outcome.problems)
        console.err << "patchwright-cli: " << document::displayText(p.path.string()) << ": "
                    << library::problemWord(p.kind) << (p.detail.empty() ? "" : ": ") << p.detail
                    << '\n';
    if (!outcome.stored) {
        console.err << "patchwright-cli: the collection refused the change; nothing was marked\n";
        return kExitNotLoadable;
    }
    store.backupIfDue(store.path().parent_path() / "backups", std::chrono::system_clock::now());
    console.out << "Marked " << outcome.marked << (outcome.marked == 1 ? " preset" : " presets")
                << '\n';
    return outcome.problems.empty() ? kExitOk : kExitNotLoadable;
}

std::string markIncomplete(const Options& options) {
    if (options.files.empty()) return "mark needs a file, folder or pack";
    if (!options.favourite && !options.hidden && options.tags.empty() && options.untags.empty() &&
        !options.note)
        return "mark needs a mark to make (--favourite, --hide, --tag, --note ...)";
    return {};
}

constexpr std::string_view kMarkOptions[] = {
    "--favourite", "--unfavourite", "--hide", "--unhide", "--tag", "--untag", "--note",
};

}  // namespace

extern const Command kMarkCommand;
const Command kMarkCommand{
    "mark",
    kMarkOptions,
    R"(  patchwright-cli mark PATH... [--favourite|--unfavourite] [--hide|--unhide]
                       [--tag WORD]... [--untag WORD]... [--note TEXT]
)",
    R"(  mark PATH...    Mark every preset found in the files, folders and packs (as scan
                  finds them) in the collection that the Library window shares:
                  --favourite or --unfavourite, --hide or --unhide, --tag WORD and
                  --untag WORD (each as often as needed), --note TEXT (an empty TEXT
                  clears the note). A mark belongs to what the preset holds (its rows
                  and patch name), so it stays when the file is moved, renamed or
                  copied. The collection is $XDG_DATA_HOME/patchwright/library.sqlite
                  (~/.local/share/... without XDG_DATA_HOME); a damaged one is kept
                  aside and a new one made, its marks taken from the latest daily
                  backup. Prints "Marked N presets".
)",
    markIncomplete,
    runMark,
};

}  // namespace pw::cli
