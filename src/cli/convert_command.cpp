// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli convert FILE... --target MODEL [--amp A|B] [--pick ROW=MODEL]...
//                         [--resolve] [--name NAME] [--fix-names] [--out DIR]
//                         [--overwrite] [--json] [--quiet]
//
// Each file is converted from a fresh session, as if the window had just started:
// target, open, Filter Patch when the families differ, Amp A/B for two-channel
// sources, the picks, Resolve Conflicts, the new name, Save. The Saves hand their bytes
// to one batch, written together once every file has been through its checks.

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>

#include "catalogue/effect_catalogue.h"
#include "commands.h"
#include "convert_report.h"
#include "document/batch_writer.h"
#include "document/root_names.h"
#include "exit_status.h"
#include "model_lists.h"
#include "session/messages.h"
#include "convert/name_check.h"
#include "session_setup.h"

namespace pw::cli {

namespace {

// One file on its way. Once its Save is in the batch only the messenger stays, to say
// how the write ended.
struct Job {
    std::size_t index = 0;  // in the files given
    FileReport report;
    std::unique_ptr<CliMessenger> messenger;
    std::unique_ptr<Session> session;
    WriteResult pending;
    std::size_t ticket = 0;
    bool collected = false;
    int status = kExitOk;
};

std::string viewOnlyMessage(const std::string& sourceRoot) {
    const std::string what = sourceRoot.empty() ? "no known preset model was found in it"
                                                : sourceRoot + " presets are view only";
    return "not converted: " + what + "; only " + savableModels(" and ") + " presets can be saved";
}

// The picks of --pick, as Model Select writes them: every row of that Name. Returns the
// reason when a pick cannot be made ("" when all were made).
std::string applyPicks(Session& session, const Options& options) {
    for (const auto& [rowName, model] : options.picks) {
        for (std::size_t n = 1; n <= session.rows().count(); ++n) {
            const Row& row = session.rows().row(n);
            if (row.name() != rowName) continue;
            const catalogue::Block* block = catalogue::blockOfRow(row.id(), row.position());
            if (!block)
                return "--pick: row " + std::to_string(n) + " \"" + rowName + "\" selects no model";
            const std::optional<std::size_t> index = catalogue::entryIndex(*block, model);
            if (!index)
                return "--pick: \"" + model + "\" is not a model of the " +
                       std::string(block->title) + " block (row " + std::to_string(n) + " \"" +
                       rowName + "\")";
            session.clickRow(static_cast<long long>(n));
            session.UpdateListItem(*block, *index);
        }
    }
    return {};
}

class Converter {
  public:
    Converter(const Options& options, const Console& console, std::filesystem::path folder)
        : options_(options),
          console_(console),
          folder_(std::move(folder)),
          reports_(options.files.size()) {}

    void convert(std::size_t index);
    // Writes the batch and finishes the files it held.
    void finish();
    int status() const { return status_; }
    void report();

  private:
    void prepare(Job& job);
    void refuse(Job& job, const std::string& why, int status = kExitRefused);
    void close(Job& job);

    const Options& options_;
    const Console& console_;
    std::filesystem::path folder_;
    document::BatchWriter batch_;
    std::map<std::filesystem::path, std::string> claimed_;  // output -> the input that wrote it
    std::vector<std::unique_ptr<Job>> pending_;
    std::vector<FileReport> reports_;  // in the order of the files given
    ConvertTally tally_;
    int status_ = kExitOk;
};

void Converter::refuse(Job& job, const std::string& why, int status) {
    job.messenger->note(why);
    job.report.message = why;
    job.report.outcome = status == kExitNotLoadable ? FileOutcome::Failed : FileOutcome::Refused;
    job.status = status;
}

void Converter::prepare(Job& job) {
    Session& session = *job.session;
    const document::Target& target = targetOrDefault(options_);
    if (!openForTarget(session, target, job.report.input)) {
        job.report.outcome = FileOutcome::Failed;
        job.report.message = job.messenger->lastText();
        job.status = kExitNotLoadable;
        return;
    }
    // Save is only offered for the presets the window can write.
    if (!session.buttons().save) return refuse(job, viewOnlyMessage(session.sourceRoot()));
    const std::string source = session.sourceRoot();
    if (document::familyOf(source) != target.family) session.filter();
    if (options_.amp && document::isTwoChannelRoot(source)) session.selectAmpChannel(*options_.amp);
    if (const std::string why = applyPicks(session, options_); !why.empty())
        return refuse(job, "not converted: " + why);
    if (options_.resolve && session.resolveEnabled()) {
        if (auto resolved = session.resolveConflicts()) {
            job.report.resolved = std::move(*resolved);
            if (!job.report.resolved.substitutions.empty() || !job.report.resolved.removals.empty())
                job.messenger->note(resolveLine(job.report.resolved));
        }
    }
    if (options_.name) session.setPatchName(*options_.name);
    if (options_.fixNames) {
        const std::string before = session.patchName();
        if (const std::string after = fixedPatchName(before); after != before) {
            session.setPatchName(after);
            job.report.nameFixed = {before, after};
            job.messenger->note("patch name \"" + before + "\" saved as \"" + after + "\"");
        }
    }
    std::error_code ec;
    const std::filesystem::path output =
        std::filesystem::absolute(session.saveFileName(), ec).lexically_normal();
    if (const auto earlier = claimed_.find(output); earlier != claimed_.end()) {
        job.report.output = session.saveFileName().string();
        return refuse(job, "not converted: " + job.report.output + " is already the output of " +
                               earlier->second);
    }
    const WriteResult result = session.save();
    job.report.output = result.file.string();
    job.report.message = job.messenger->lastText();
    job.status = exitStatusOf(result);
    if (result.outcome == WriteOutcome::Written) {
        claimed_.emplace(output, job.report.input);
        job.collected = true;
        job.pending = result;
        job.ticket = session.pendingTicket();
        return;
    }
    job.report.outcome =
        result.outcome == WriteOutcome::Failed ? FileOutcome::Failed : FileOutcome::Refused;
}

void Converter::close(Job& job) {
    if (options_.quiet && job.report.outcome == FileOutcome::Written)
        job.messenger->drop();
    else
        job.messenger->release();
    tally_.count(job.report.outcome);
    status_ = std::max(status_, job.status);
    reports_[job.index] = std::move(job.report);
    job.session.reset();
}

void Converter::convert(std::size_t index) {
    const std::string& file = options_.files[index];
    auto job = std::make_unique<Job>();
    job->index = index;
    job->report.input = file;
    job->messenger =
        std::make_unique<CliMessenger>(console_.err, AnswerPolicy{options_.overwrite}, file);
    job->messenger->hold();
    job->session = std::make_unique<Session>(*job->messenger);
    job->session->setSaveFolder(folder_);
    job->session->collectWritesInto(&batch_);
    prepare(*job);
    if (job->collected) {
        if (!options_.quiet) job->messenger->release();
        job->session.reset();
        pending_.push_back(std::move(job));
        return;
    }
    close(*job);
}

void Converter::finish() {
    const std::vector<document::IoResult> written = batch_.commit();
    for (const std::unique_ptr<Job>& job : pending_) {
        // Save names the file with its folder (Session::FileNaming::Path).
        const WriteResult result = Session::finishWrite(
            *job->messenger, job->pending, written[job->ticket], job->pending.file.string());
        job->report.outcome =
            result.outcome == WriteOutcome::Written ? FileOutcome::Written : FileOutcome::Failed;
        job->report.message = job->messenger->lastText();
        job->status = exitStatusOf(result);
        close(*job);
    }
    pending_.clear();
}

void Converter::report() {
    if (options_.json)
        writeConvertJson(console_.out, reports_, tally_);
    else
        writeConvertSummary(console_.out, tally_);
    console_.out.flush();
}

}  // namespace

int runConvert(const Options& options, const Console& console) {
    std::filesystem::path folder;
    std::error_code ec;
    if (options.outDir) {
        folder = *options.outDir;
        if (!std::filesystem::is_directory(folder, ec)) {
            console.err << "patchwright-cli: --out: " << *options.outDir << " is not a folder\n";
            return kExitUsage;
        }
    } else {
        folder = std::filesystem::current_path(ec);
    }

    Converter converter(options, console, folder);
    const std::size_t total = options.files.size();
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& file = options.files[i];
        if (console.errIsTerminal) {
            console.err << "[" << (i + 1) << "/" << total << "] " << file << '\n';
            console.err.flush();
        }
        converter.convert(i);
    }
    converter.finish();
    converter.report();
    return converter.status();
}

}  // namespace pw::cli
