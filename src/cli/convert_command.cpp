// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli convert INPUT... --target MODEL [--amp A|B] [--pick ROW=MODEL]...
//                         [--resolve] [--name NAME] [--fix-names] [--out DIR]
//                         [--overwrite] [--dry-run] [--json] [--quiet]
//
// Inputs are preset files, folders (walked for presets and packs) and packs (archives,
// read in memory). Every preset goes through the core's conversion on every core; the
// new presets are committed together into one folder. This file only says what happened.

#include <algorithm>
#include <chrono>
#include <memory>
#include <ostream>

#include "collection/marking.h"
#include "collection_open.h"
#include "commands.h"
#include "convert/name_check.h"
#include "convert_report.h"
#include "document/root_names.h"
#include "exit_status.h"
#include "library/convert_all.h"
#include "library/input_stream.h"
#include "library/progress_throttle.h"
#include "library/source.h"
#include "model_lists.h"
#include "session/messages.h"
#include "session/save_refusal.h"
#include "session_setup.h"
#include "table_writer.h"

namespace pw::cli {

namespace {

namespace fs = std::filesystem;
using library::ItemOutcome;
using library::ItemReport;

std::string viewOnlyMessage(const std::string& sourceRoot) {
    const std::string what = sourceRoot.empty() ? "no known preset model was found in it"
                                                : sourceRoot + " presets are view only";
    return "not converted: " + what + "; only " + savableModels(" and ") + " presets can be saved";
}

std::string pickMessage(const convert::PickProblem& p) {
    const std::string row = "row " + std::to_string(p.row) + " \"" + p.rowName + "\"";
    if (p.kind == convert::PickProblem::Kind::SelectsNoModel)
        return "not converted: --pick: " + row + " selects no model";
    return "not converted: --pick: \"" + p.model + "\" is not a model of the " + p.blockTitle +
           " block (" + row + ")";
}

Message message(MessageId id, std::string text, Icon icon, Buttons buttons = Buttons::Ok,
                std::string detail = {}) {
    return Message{id, std::move(text), icon, buttons, std::move(detail)};
}

class Converter {
  public:
    // `folder` is where the new presets go, as typed ("" for the current folder).
    Converter(const Options& options, const Console& console, fs::path folder)
        : options_(options), console_(console), folder_(std::move(folder)) {}

    int run();

  private:
    library::ConvertAllOptions plan(bool dryRun, const library::InputStream& inputs) const;
    void reportProblems(const library::InputStream& inputs);
    bool picksMatch();
    void finish(const ItemReport& item);
    int say(const ItemReport& item, CliMessenger& messenger, FileReport& report);
    void progress(std::size_t converted, const std::string& name);
    void clearProgress();
    void inheritMarks(const ItemReport& item);

    const Options& options_;
    const Console& console_;
    fs::path folder_;
    std::vector<FileReport> reports_;
    std::vector<std::string> names_;  // of the inputs so far, for "already the output of"
    std::optional<std::size_t> total_;
    bool progressShown_ = false;
    library::ProgressThrottle progressDue_{std::chrono::milliseconds(100)};
    ConvertTally tally_;
    int status_ = kExitOk;
    collection::Store marks_;  // open when the new presets take their sources' marks
    std::size_t marksRefused_ = 0;
};

library::ConvertAllOptions Converter::plan(bool dryRun, const library::InputStream& inputs) const {
    library::ConvertAllOptions o;
    o.plan.target = &targetOrDefault(options_);
    o.plan.amp = options_.amp.value_or(0);
    for (const auto& [row, model] : options_.picks)
        o.plan.picks.push_back(convert::Pick{row, model});
    o.plan.resolve = options_.resolve;
    o.plan.name = options_.name;
    o.plan.fixNames = options_.fixNames;
    o.folder = folder_.empty() ? fs::path(".") : folder_;
    o.overwrite = options_.overwrite;
    o.dryRun = dryRun;
    o.sources = inputs.presetFiles();
    o.contents = marks_.available();
    return o;
}

// A --pick whose row no input has is a mistake of the command line: it is found by a
// first pass that writes nothing, before anything is written.
bool Converter::picksMatch() {
    if (options_.picks.empty()) return true;
    std::vector<bool> matched(options_.picks.size(), false);
    library::InputStream inputs(options_.files);
    library::ConvertAllCallbacks callbacks;
    callbacks.next = [&](library::ConvertInput& in) { return inputs.next(in); };
    callbacks.done = [&](const ItemReport& item) {
        for (std::size_t p = 0; p < item.result.pickMatches.size(); ++p)
            if (item.result.pickMatches[p] > 0) matched[p] = true;
    };
    library::convertAll(plan(true, inputs), callbacks);
    for (std::size_t p = 0; p < matched.size(); ++p) {
        if (matched[p]) continue;
        console_.err << "patchwright-cli: --pick: no row is named \"" << options_.picks[p].first
                     << "\" in the presets given\n";
        return false;
    }
    return true;
}

void Converter::progress(std::size_t converted, const std::string& name) {
    if (!console_.errIsTerminal) return;
    // A terminal shows ten updates a second at most.
    if (!progressDue_.due(total_ && converted == *total_)) return;
    console_.err << "\r\x1b[K[" << converted;
    if (total_) console_.err << '/' << *total_;
    console_.err << "] " << name << std::flush;
    progressShown_ = true;
}

void Converter::clearProgress() {
    if (!progressShown_) return;
    console_.err << "\r\x1b[K";
    progressShown_ = false;
}

// Tells what happened to one input, as the window's messages would have; returns its
// exit status.
int Converter::say(const ItemReport& item, CliMessenger& messenger, FileReport& report) {
    const convert::Result& r = item.result;
    auto refuse = [&](const std::string& why) {
        messenger.note(why);
        report.message = why;
        report.outcome = FileOutcome::Refused;
        return kExitRefused;
    };
    if (item.outcome == ItemOutcome::NotRead) {
        if (item.read.exists)
            messenger.show(message(MessageId::ReadTestFailed, std::string(text::kReadTestFailed),
                                   Icon::None, Buttons::Ok, item.read.error));
        messenger.show(message(MessageId::NameLoadError, std::string(text::kNameLoadError),
                               Icon::Critical, Buttons::Ok, item.read.error));
        report.outcome = FileOutcome::Failed;
        report.message = messenger.lastText();
        report.detail = messenger.lastDetail();
        return kExitNotLoadable;
    }
    if (r.verdict == convert::Verdict::Unreadable) {
        if (r.load == convert::LoadFailure::ParameterMissing)
            messenger.show(message(MessageId::ParameterMissing,
                                   text::parameterMissing(r.missingChild), Icon::Critical));
        else
            messenger.show(message(MessageId::NameLoadError, std::string(text::kNameLoadError),
                                   Icon::Critical, Buttons::Ok, r.readDetail));
        report.outcome = FileOutcome::Failed;
        report.message = messenger.lastText();
        report.detail = messenger.lastDetail();
        return kExitNotLoadable;
    }
    if (r.verdict == convert::Verdict::ViewOnly) return refuse(viewOnlyMessage(r.sourceRoot));
    if (r.verdict == convert::Verdict::BadPick) return refuse(pickMessage(*r.pickProblem));
    report.picks = r.picks;
    for (const convert::PickChange& p : r.picks)
        messenger.note("picked: " +
                       text::pickChangeLine(p.row, p.name, p.oldSetting, p.newSetting, p.settings));
    if (r.resolveRan) {
        report.resolved = r.resolveReport;
        if (!r.resolveReport.changes.empty()) {
            messenger.note(resolveLine(r.resolveReport));
            for (const std::string& line : resolveChangeLines(r.resolveReport))
                messenger.note(line);
        }
    }
    if (options_.fixNames && r.fixedName != r.unfixedName) {
        report.nameFixed = {r.unfixedName, r.fixedName};
        messenger.note("patch name \"" + r.unfixedName + "\" saved as \"" + r.fixedName + "\"");
    }
    const std::string shown = (folder_ / r.fileName).string();
    report.output = shown;
    if (r.verdict == convert::Verdict::Refused) {
        Message m = saveRefusalMessage(*r.refusal, r.patchName, NameRules::Batch);
        if (m.id == MessageId::BadFileName)  // its detail names what is refused
            m.detail += isDotsName(r.patchName)
                            ? "; --fix-names saves it under the name of its file"
                            : "; --fix-names saves it with \"_\" in its place";
        messenger.show(m);
        report.message = messenger.lastText();
        report.detail = messenger.lastDetail();
        report.outcome = FileOutcome::Refused;
        return kExitRefused;
    }
    if (item.outcome == ItemOutcome::Claimed)
        return refuse("not converted: " + shown + " is already the output of " +
                      names_[item.earlier]);
    if (item.outcome == ItemOutcome::IsSource)
        return refuse("not converted: " + shown + " is one of the presets being converted");
    messenger.show(message(MessageId::SaveAsQuestion,
                           std::string(text::kSaveAsQuestion) + r.fileName, Icon::Question,
                           Buttons::YesNo));
    if (item.existed &&
        messenger.show(message(MessageId::AlreadyExists, shown + std::string(text::kAlreadyExists),
                               Icon::Critical, Buttons::YesNo)) != Answer::Yes) {
        messenger.show(message(MessageId::SavingCanceled, std::string(text::kSavingCanceled),
                               Icon::Information));
        report.message = messenger.lastText();
        report.outcome = FileOutcome::Refused;
        return kExitRefused;
    }
    switch (item.outcome) {
        case ItemOutcome::WouldWrite:
            messenger.note("would be saved to " + shown + " (dry run)");
            report.message = "would be saved to " + shown;
            report.outcome = FileOutcome::Written;
            return kExitOk;
        case ItemOutcome::Written:
            messenger.show(message(MessageId::SavedTo, std::string(text::kSavedTo) + shown,
                                   Icon::Information));
            report.message = messenger.lastText();
            report.outcome = FileOutcome::Written;
            return kExitOk;
        default:
            break;
    }
    messenger.show(message(MessageId::CouldNotWrite, text::couldNotWrite(shown), Icon::Critical,
                           Buttons::Ok, item.writeError));
    report.message = messenger.lastText();
    report.detail = messenger.lastDetail();
    report.outcome = FileOutcome::Failed;
    return kExitCannotWrite;
}

// A new preset takes the marks of the preset it was converted from.
void Converter::inheritMarks(const ItemReport& item) {
    if (item.outcome != ItemOutcome::Written || !item.source || !item.converted) return;
    const library::ConvertedCopy copy{{item.source->key, item.source->name},
                                      {item.converted->key, item.converted->name}};
    if (!collection::inheritMarks(marks_, std::span(&copy, 1))) ++marksRefused_;
}

void Converter::finish(const ItemReport& item) {
    inheritMarks(item);
    CliMessenger messenger(console_.err, AnswerPolicy{options_.overwrite}, item.name);
    messenger.hold();
    FileReport report;
    report.input = item.name;
    const int status = say(item, messenger, report);
    if (options_.quiet && report.outcome == FileOutcome::Written) {
        messenger.drop();
    } else {
        clearProgress();
        messenger.release();
    }
    tally_.count(report.outcome);
    status_ = std::max(status_, status);
    if (options_.json) reports_.push_back(std::move(report));
}

// What is not a preset: a line each, then a place in the report.
void Converter::reportProblems(const library::InputStream& inputs) {
    for (const library::ScanProblem& problem : inputs.problems()) {
        ConvertProblem p{problem.path.string(), std::string(library::problemWord(problem.kind)),
                         problem.detail};
        console_.err << linePrefix(p.path) << p.problem;
        if (!p.detail.empty()) console_.err << " (" << displayText(p.detail) << ")";
        console_.err << '\n';
        tally_.problems.push_back(std::move(p));
        status_ = std::max<int>(status_, kExitNotLoadable);
    }
    tally_.skipped = inputs.skipped();
}

int Converter::run() {
    if (!picksMatch()) return kExitUsage;
    if (!options_.dryRun)
        openCollection(marks_, console_, IfMissing::Skip,
                       "the new presets do not take the marks of their sources");
    library::InputStream inputs(options_.files);
    total_ = inputs.total();
    library::ConvertAllCallbacks callbacks;
    callbacks.next = [&](library::ConvertInput& in) {
        if (!inputs.next(in)) return false;
        names_.push_back(in.name);
        return true;
    };
    callbacks.done = [&](const ItemReport& item) { finish(item); };
    callbacks.progress = [&](std::size_t converted, const std::string& name) {
        progress(converted, name);
    };
    library::convertAll(plan(options_.dryRun, inputs), callbacks);
    clearProgress();
    if (marksRefused_ > 0)
        console_.err << "patchwright-cli: the collection refused the marks of " << marksRefused_
                     << (marksRefused_ == 1 ? " new preset\n" : " new presets\n");
    reportProblems(inputs);
    if (options_.json)
        writeConvertJson(console_.out, reports_, tally_);
    else
        writeConvertSummary(console_.out, tally_);
    console_.out.flush();
    return status_;
}

}  // namespace

int runConvert(const Options& options, const Console& console) {
    fs::path folder;
    if (options.outDir) {
        folder = *options.outDir;
        // A dry run writes nothing: its folder need not exist yet.
        std::error_code ec;
        const fs::file_status status = fs::status(folder, ec);
        const bool fine = fs::is_directory(status) || (options.dryRun && !fs::exists(status));
        if (!fine) {
            console.err << "patchwright-cli: --out: " << *options.outDir << " is not a folder\n";
            return kExitUsage;
        }
    }
    return Converter(options, console, folder).run();
}

namespace {

std::string convertIncomplete(const Options& o) {
    if (o.files.empty()) return "convert needs at least one preset file";
    if (!o.target) return "convert needs --target MODEL";
    return {};
}

constexpr std::string_view kConvertOptions[] = {
    "--target",  "--amp",  "--name",      "--out",   "--overwrite", "--json",
    "--resolve", "--pick", "--fix-names", "--quiet", "--dry-run",
};

}  // namespace

extern const Command kConvertCommand;
const Command kConvertCommand{
    "convert",
    kConvertOptions,
    R"(  patchwright-cli convert INPUT... --target MODEL [--amp A|B] [--pick ROW=MODEL]...
                          [--resolve] [--name NAME] [--fix-names] [--out DIR]
                          [--overwrite] [--dry-run] [--json] [--quiet]
)",
    R"(  convert INPUT...
                  Convert every preset of the INPUTs: preset files, folders (every
                  preset and pack in them, all the way down, links followed as scan
                  follows them) and packs (.zip, .7z, .tar.* archives, read in memory
                  and never changed). A file named twice is converted once. Each
                  preset is converted from a fresh start: open it, click Filter Patch
                  when its model family differs from the target's, click Amp A or Amp
                  B when --amp is given and it is an RP350 or RP355 preset (--amp is
                  ignored for the others), make the --pick picks, run Resolve
                  Conflicts (--resolve), apply --name and --fix-names, then Save with
                  all its checks.
                  The new preset is "<patch name><target extension>" (for example
                  "Lead_A.rp250p") in DIR, whatever folder or pack it came from. Only
                  @SAVABLE@
                  presets can be saved; other presets are view only and are refused.
                  --target is required. On a terminal one progress line on stderr is
                  updated in place; a summary (converted, refused, failed) ends the run.
                  Two presets of one run never end in the same new preset: the later
                  one is refused, naming the earlier, even with --overwrite; nor does
                  a new preset ever replace one of the presets being converted. A
                  patch name "", "." or ".." is refused (--fix-names saves it under
                  the name of its file). What is not a preset (a broken or unreadable
                  pack, a member named outside its pack, a folder that cannot be
                  read) prints a line and counts as a problem. Presets are converted
                  on every core and written in chunks: each into a temporary file
                  without a name, one flush of the file system, then each put in
                  place, so that a crash leaves every preset either as it was or
                  complete, and no temporary file behind. A new preset takes the
                  marks (see mark) of the preset it was converted from.
)",
    convertIncomplete,
    runConvert,
};

}  // namespace pw::cli
