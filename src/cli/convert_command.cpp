// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli convert FILE... --target MODEL [--amp A|B] [--name NAME] [--out DIR]
//                         [--overwrite]
//
// Each file is converted from a fresh session, as if the window had just started:
// target, open, Filter Patch when the families differ, Amp A/B for two-channel
// sources, the new name, Save.

#include <algorithm>
#include <ostream>

#include "commands.h"
#include "document/root_names.h"
#include "exit_status.h"
#include "model_lists.h"
#include "session_setup.h"

namespace pw::cli {

namespace {

struct Tally {
    int converted = 0;
    int refused = 0;
    int failed = 0;
};

std::string viewOnlyMessage(const std::string& file, const std::string& sourceRoot) {
    const std::string what = sourceRoot.empty() ? "no known preset model was found in it"
                                                : sourceRoot + " presets are view only";
    return file + ": not converted: " + what + "; only " + savableModels(" and ") +
           " presets can be saved";
}

int convertOne(const Options& options, const std::string& file, const std::filesystem::path& folder,
               const Console& console, Tally& tally) {
    CliMessenger messenger(console.err, AnswerPolicy{options.overwrite});
    messenger.setContext(file);
    Session session(messenger);
    session.setSaveFolder(folder);
    const document::Target& target = targetOrDefault(options);
    if (!openForTarget(session, target, file)) {
        ++tally.failed;
        return kExitNotLoadable;
    }
    // Save is only offered for the presets the window can write.
    if (!session.buttons().save) {
        console.err << viewOnlyMessage(file, session.sourceRoot()) << '\n';
        console.err.flush();
        ++tally.refused;
        return kExitRefused;
    }
    const std::string source = session.sourceRoot();
    if (document::familyOf(source) != target.family) session.filter();
    if (options.amp && document::isTwoChannelRoot(source)) session.selectAmpChannel(*options.amp);
    if (options.name) session.setPatchName(*options.name);
    const WriteResult result = session.save();
    switch (result.outcome) {
        case WriteOutcome::Written:
            ++tally.converted;
            break;
        case WriteOutcome::Failed:
            ++tally.failed;
            break;
        case WriteOutcome::Declined:
        case WriteOutcome::Refused:
            ++tally.refused;
            break;
    }
    return exitStatusOf(result);
}

}  // namespace

int runConvert(const Options& options, const Console& console) {
    std::filesystem::path folder;
    if (options.outDir) {
        folder = *options.outDir;
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            console.err << "patchwright-cli: --out: " << *options.outDir << " is not a folder\n";
            return kExitUsage;
        }
    } else {
        std::error_code ec;
        folder = std::filesystem::current_path(ec);
    }

    Tally tally;
    int status = kExitOk;
    const std::size_t total = options.files.size();
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& file = options.files[i];
        if (console.errIsTerminal) {
            console.err << "[" << (i + 1) << "/" << total << "] " << file << '\n';
            console.err.flush();
        }
        status = std::max(status, convertOne(options, file, folder, console, tally));
    }
    console.out << "Converted " << tally.converted << ", refused " << tally.refused << ", failed "
                << tally.failed << '\n';
    console.out.flush();
    return status;
}

}  // namespace pw::cli
