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
#include <sstream>

#include "commands.h"
#include "convert_report.h"
#include "document/root_names.h"
#include "exit_status.h"
#include "library/archive_reader.h"
#include "library/convert_all.h"
#include "library/source.h"
#include "model_lists.h"
#include "session/messages.h"
#include "session/save_refusal.h"
#include "session_setup.h"

namespace pw::cli {

namespace {

namespace fs = std::filesystem;
using library::ItemOutcome;
using library::ItemReport;

// The inputs in order: a file as given; a folder's presets and packs by name, all the
// way down (links to folders are not followed, so a walk never loops); a pack's preset
// members as stored, read one after the other.
class Inputs {
  public:
    Inputs(const std::vector<std::string>& given, std::ostream& err) : err_(err) {
        for (const std::string& arg : given) {
            std::error_code ec;
            if (fs::is_directory(arg, ec))
                walk(arg);
            else
                entries_.push_back(arg);
        }
    }

    // Every input is a plain file: the number of presets is known beforehand.
    std::optional<std::size_t> total() const {
        for (const fs::path& p : entries_)
            if (library::isArchiveName(p.filename().string())) return std::nullopt;
        return entries_.size();
    }
    bool failed() const { return failed_; }

    bool next(library::ConvertInput& input) {
        while (true) {
            if (archive_ && nextMember(input)) return true;
            if (at_ == entries_.size()) return false;
            const fs::path& entry = entries_[at_++];
            if (library::isArchiveName(entry.filename().string())) {
                archive_ = std::make_unique<library::ArchiveReader>(entry);
                archiveFile_ = entry;
                continue;
            }
            input.name = entry.string();
            input.file = entry;
            input.read.reset();
            return true;
        }
    }

  private:
    void walk(const fs::path& folder) {
        std::vector<fs::path> found;
        std::error_code ec;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code typeEc;
            if (!it->is_regular_file(typeEc)) continue;
            const std::string name = it->path().filename().string();
            if (library::isPresetName(name) || library::isArchiveName(name))
                found.push_back(it->path());
        }
        if (ec) {
            err_ << linePrefix(folder.string()) << ec.message() << '\n';
            failed_ = true;
        }
        std::sort(found.begin(), found.end());
        entries_.insert(entries_.end(), found.begin(), found.end());
    }

    bool nextMember(library::ConvertInput& input) {
        library::ArchiveMember member;
        const bool got = archive_->next(member, [](std::string_view name, std::size_t) {
            return library::isPresetName(name) && !library::leavesArchive(name);
        });
        if (!got) {
            if (!archive_->problem().empty()) {
                err_ << linePrefix(archiveFile_.string()) << archive_->problem() << '\n';
                failed_ = true;
            }
            archive_.reset();
            return false;
        }
        input.name = library::displayName(library::Source{archiveFile_, member.name, member.index});
        input.file.clear();
        document::ReadResult read;
        read.exists = true;
        read.complete = member.ok;
        read.bytes = std::move(member.bytes);
        read.error = std::move(member.problem);
        input.read = std::move(read);
        return true;
    }

    std::ostream& err_;
    std::vector<fs::path> entries_;
    std::size_t at_ = 0;
    std::unique_ptr<library::ArchiveReader> archive_;
    fs::path archiveFile_;
    bool failed_ = false;
};

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
    Converter(const Options& options, const Console& console, fs::path folder)
        : options_(options), console_(console), folder_(std::move(folder)) {}

    int run();

  private:
    library::ConvertAllOptions plan(bool dryRun) const;
    bool picksMatch();
    void finish(const ItemReport& item);
    int say(const ItemReport& item, CliMessenger& messenger, FileReport& report);
    void progress(std::size_t converted, const std::string& name);
    void clearProgress();

    const Options& options_;
    const Console& console_;
    fs::path folder_;
    std::vector<FileReport> reports_;
    std::vector<std::string> names_;  // of the inputs so far, for "already the output of"
    std::optional<std::size_t> total_;
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point lastProgress_;
    ConvertTally tally_;
    int status_ = kExitOk;
};

library::ConvertAllOptions Converter::plan(bool dryRun) const {
    library::ConvertAllOptions o;
    o.plan.target = &targetOrDefault(options_);
    o.plan.amp = options_.amp.value_or(0);
    for (const auto& [row, model] : options_.picks)
        o.plan.picks.push_back(convert::Pick{row, model});
    o.plan.resolve = options_.resolve;
    o.plan.name = options_.name;
    o.plan.fixNames = options_.fixNames;
    o.folder = folder_;
    o.overwrite = options_.overwrite;
    o.dryRun = dryRun;
    return o;
}

// A --pick whose row no input has is a mistake of the command line: it is found by a
// first pass that writes nothing, before anything is written.
bool Converter::picksMatch() {
    if (options_.picks.empty()) return true;
    std::vector<std::size_t> matches(options_.picks.size(), 0);
    std::ostringstream quiet;
    Inputs inputs(options_.files, quiet);
    library::ConvertAllCallbacks callbacks;
    callbacks.next = [&](library::ConvertInput& in) { return inputs.next(in); };
    callbacks.done = [&](const ItemReport& item) {
        for (std::size_t p = 0; p < item.result.pickMatches.size(); ++p)
            matches[p] += item.result.pickMatches[p];
    };
    library::convertAll(plan(true), callbacks);
    for (std::size_t p = 0; p < matches.size(); ++p) {
        if (matches[p] > 0) continue;
        console_.err << "patchwright-cli: --pick: no row is named \"" << options_.picks[p].first
                     << "\" in the presets given\n";
        return false;
    }
    return true;
}

void Converter::progress(std::size_t converted, const std::string& name) {
    if (!console_.errIsTerminal) return;
    // A terminal shows ten updates a second at most.
    const auto now = std::chrono::steady_clock::now();
    const bool last = total_ && converted == *total_;
    if (!last && now - lastProgress_ < std::chrono::milliseconds(100)) return;
    lastProgress_ = now;
    console_.err << "\r\x1b[K[" << converted;
    if (total_) console_.err << '/' << *total_;
    console_.err << "] " << name;
    console_.err.flush();
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
        return kExitNotLoadable;
    }
    if (r.verdict == convert::Verdict::ViewOnly) return refuse(viewOnlyMessage(r.sourceRoot));
    if (r.verdict == convert::Verdict::BadPick) return refuse(pickMessage(*r.pickProblem));
    report.picks = r.picks;
    for (const convert::PickChange& p : r.picks)
        messenger.note("picked: " + text::pickChangeLine(p.row, p.name, p.oldSetting,
                                                         p.newSetting, p.settings));
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
        const Message m = saveRefusalMessage(*r.refusal, r.patchName, NameRules::Batch);
        messenger.show(m);
        report.message = messenger.lastText();
        report.outcome = FileOutcome::Refused;
        return kExitRefused;
    }
    if (item.outcome == ItemOutcome::Claimed)
        return refuse("not converted: " + shown + " is already the output of " +
                      names_[item.earlier]);
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
    report.outcome = FileOutcome::Failed;
    return kExitCannotWrite;
}

void Converter::finish(const ItemReport& item) {
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

int Converter::run() {
    if (!picksMatch()) return kExitUsage;
    Inputs inputs(options_.files, console_.err);
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
    library::convertAll(plan(options_.dryRun), callbacks);
    clearProgress();
    if (inputs.failed()) status_ = std::max<int>(status_, kExitNotLoadable);
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
    std::error_code ec;
    if (options.outDir) {
        folder = *options.outDir;
        if (!fs::is_directory(folder, ec)) {
            console.err << "patchwright-cli: --out: " << *options.outDir << " is not a folder\n";
            return kExitUsage;
        }
    } else {
        folder = fs::current_path(ec);
    }
    return Converter(options, console, folder).run();
}

}  // namespace pw::cli
