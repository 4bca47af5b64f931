// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli pack OUT.zip PATH... [--find TEXT] [--target MODEL [--amp A|B]]
//                 [--overwrite]

#include <filesystem>
#include <ostream>

#include "collection_open.h"
#include "commands.h"
#include "document/display_text.h"
#include "exit_status.h"
#include "library/pack_presets.h"
#include "library/query.h"
#include "session_setup.h"

namespace pw::cli {

namespace {

int runPack(const Options& options, const Console& console) {
    const std::filesystem::path out = options.files.front();
    std::error_code error;
    if (std::filesystem::exists(out, error) && !options.overwrite) {
        console.err << "patchwright-cli: " << document::displayText(out.string())
                    << " exists already; --overwrite replaces it\n";
        return kExitRefused;
    }
    library::Query query;
    if (options.find) query.find = library::SearchText(*options.find);
    if (query.find.asksForMarks()) query.marksOf = searchMarks(console, "pack finds no marks");
    library::ScanOptions scanOptions;
    scanOptions.query = query.empty() ? nullptr : &query;
    const std::vector<std::filesystem::path> inputs(options.files.begin() + 1, options.files.end());
    const library::ScanResult found = library::scan(inputs, scanOptions);

    std::vector<const library::Preset*> presets;
    for (const library::Preset& preset : found.presets)
        presets.push_back(&preset);
    library::PackOptions packOptions;
    packOptions.target = options.target;
    packOptions.amp = options.amp.value_or(0);
    for (const library::ScanProblem& p : found.problems)
        console.err << "patchwright-cli: " << document::displayText(p.path.string()) << ": "
                    << library::problemWord(p.kind) << (p.detail.empty() ? "" : ": ") << p.detail
                    << '\n';
    const library::PackOutcome packed =
        library::packPresets(document::systemFileWriter(), out, presets, packOptions);
    const library::PackResult& written = packed.written;
    if (!written.io.ok()) {
        console.err << "patchwright-cli: " << document::displayText(out.string())
                    << " could not be written: " << written.io.error << "; nothing was changed\n";
        return kExitCannotWrite;
    }
    console.out << "Packed " << packed.packed << (packed.packed == 1 ? " preset" : " presets")
                << ", left out " << packed.left << " into " << document::displayText(out.string())
                << '\n';
    return packed.left == 0 && found.problems.empty() ? kExitOk : kExitRefused;
}

std::string packIncomplete(const Options& options) {
    if (options.files.size() < 2) return "pack needs OUT.zip and a file, folder or pack";
    const std::string out = options.files.front();
    if (out.size() < 4 || out.substr(out.size() - 4) != ".zip")
        return "pack writes a .zip: OUT.zip";
    if (options.amp && !options.target) return "--amp needs --target";
    return {};
}

constexpr std::string_view kPackOptions[] = {"--find", "--target", "--amp", "--overwrite"};

}  // namespace

extern const Command kPackCommand;
const Command kPackCommand{
    "pack",
    kPackOptions,
    R"(  patchwright-cli pack OUT.zip PATH... [--find TEXT] [--target MODEL [--amp A|B]]
                       [--overwrite]
)",
    R"(  pack OUT.zip PATH...
                  Put the presets found in the files, folders and packs (those --find
                  finds, as scan's --find) into one zip to share: each preset at the
                  top of the pack under its own file name (a name that would point
                  outside the pack loses its folders; twins are told apart as
                  "name (2).rp250p"), and report.csv beside them (file, member, name,
                  packed as, outcome). With --target each preset is converted first
                  (Resolve Conflicts, names fixed, --amp for two-channel presets) and
                  one that cannot be is left out. OUT.zip is written whole; an existing
                  one is replaced only with --overwrite. Exit status 3 when a preset
                  was left out.
)",
    packIncomplete,
    runPack,
};

}  // namespace pw::cli
