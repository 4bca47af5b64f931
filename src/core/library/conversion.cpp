// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/conversion.h"

#include <ctime>
#include <string>

#include "convert/convert.h"
#include "document/csv_field.h"
#include "library/convert_all.h"
#include "library/read_again.h"
#include "library/source.h"

namespace pw::library {
namespace {

// Why a conversion that cannot be saved is refused: the one wording of the library.
std::string cannotReason(const ItemReport& item, const ConvertOptions& options) {
    const convert::Result& r = item.result;
    if (item.outcome == ItemOutcome::NotRead)
        return item.read.error.empty() ? "cannot be read" : item.read.error;
    switch (r.verdict) {
        case convert::Verdict::ViewOnly:
            return (r.sourceRoot.empty() ? std::string("Unknown") : r.sourceRoot) +
                   " presets are opened for viewing only";
        case convert::Verdict::Unreadable:
            return r.readDetail.empty() ? "cannot be read" : r.readDetail;
        case convert::Verdict::Refused:
            if (r.refusal && options.refusalWords)
                return options.refusalWords(*r.refusal, r.patchName);
            break;
        default:
            break;
    }
    return "cannot be saved";
}

Outcome outcomeOf(const ItemReport& item, const ConvertOptions& options) {
    const convert::Result& r = item.result;
    Outcome o;
    o.output = r.fileName;
    o.substitutions = r.resolveReport.substituted;
    o.removals = r.resolveReport.removed;
    o.nameFixed = options.fixNames && r.nameRefused;
    switch (item.outcome) {
        case ItemOutcome::Written:
        case ItemOutcome::WouldWrite:
            o.kind = OutcomeKind::Written;
            break;
        case ItemOutcome::NotRead:
        case ItemOutcome::NotSaved:
            o.kind = OutcomeKind::Cannot;
            o.reason = cannotReason(item, options);
            break;
        case ItemOutcome::Claimed:
            o.kind = OutcomeKind::Collides;
            o.reason = "another preset of this run is saved as " + o.output;
            break;
        case ItemOutcome::Exists:
            o.kind = OutcomeKind::Kept;
            break;
        case ItemOutcome::IsSource:
            o.kind = OutcomeKind::Cannot;
            o.reason = o.output + " is one of the presets being converted";
            break;
        case ItemOutcome::Failed:
            o.kind = OutcomeKind::Failed;
            o.reason = item.writeError;
            break;
    }
    return o;
}

// Converts the presets with convert-all; `callbacks` gets the reports. A preset is read
// again from its file or pack member.
void convertPresets(const Presets& presets, const ConvertOptions& options, ConvertAllOptions all,
                    ConvertAllCallbacks callbacks, document::FileWriter& writer,
                    const std::atomic<bool>& cancel) {
    all.plan.target = options.settings.target;
    all.plan.amp = options.settings.amp;
    all.plan.resolve = options.resolve;
    all.plan.fixNames = options.fixNames;
    all.folder = options.folder;
    for (const auto& p : presets)
        if (!p->source.inArchive()) all.sources.push_back(p->source.file);
    // Pack members are read first, each pack once; a worker reads a file of its own.
    Presets members;
    std::vector<std::size_t> memberAt;
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (presets[i]->source.inArchive() && presets[i]->readable) {
            members.push_back(presets[i]);
            memberAt.push_back(i);
        }
    std::vector<SourceBytes> memberBytes(members.size());
    readAgain(members, cancel,
              [&](std::size_t i, SourceBytes& read) { memberBytes[i] = std::move(read); });
    std::size_t next = 0, nextMember = 0;
    callbacks.next = [&](ConvertInput& input) {
        if (next == presets.size()) return false;
        const std::size_t at = next++;
        const Preset& p = *presets[at];
        input.stem = presetStem(p.source);
        if (!p.readable) {
            input.read = document::ReadResult{true, false, {}, p.readProblem};
        } else if (!p.source.inArchive()) {
            input.file = p.source.file;
        } else if (nextMember < memberAt.size() && memberAt[nextMember] == at) {
            SourceBytes& read = memberBytes[nextMember++];
            input.read = document::ReadResult{true, read.ok, std::move(read.bytes), read.problem};
        }
        return true;
    };
    callbacks.cancelled = [&cancel] { return cancel.load(); };
    convertAll(all, callbacks, writer);
}

std::string localStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &local);
    return text;
}

}  // namespace

std::string_view outcomeWord(OutcomeKind kind) {
    switch (kind) {
        case OutcomeKind::None:
            return "";
        case OutcomeKind::Written:
            return "written";
        case OutcomeKind::Kept:
            return "kept existing";
        case OutcomeKind::Cannot:
            return "cannot";
        case OutcomeKind::Collides:
            return "collides";
        case OutcomeKind::Failed:
            return "failed";
        case OutcomeKind::NotDone:
            return "cancelled";
    }
    return "";
}

ConversionPlan planConversion(std::vector<std::size_t> rows, Presets presets,
                              ConvertOptions options, const std::atomic<bool>& cancel) {
    ConversionPlan plan;
    plan.outcomes.resize(presets.size());
    ConvertAllOptions all;
    all.dryRun = true;
    all.overwrite = true;  // an existing file claims its name; the user is asked later
    ConvertAllCallbacks callbacks;
    callbacks.done = [&](const ItemReport& item) {
        Outcome o = outcomeOf(item, options);
        if (o.kind == OutcomeKind::Cannot) {
            ++plan.cannot;
        } else {
            ++(o.kind == OutcomeKind::Collides ? plan.collide : plan.write);
            plan.namesFixed += o.nameFixed;
            if (item.existed) plan.existing.push_back(item.index);
        }
        plan.outcomes[item.index] = std::move(o);
    };
    convertPresets(presets, options, all, callbacks, document::systemFileWriter(), cancel);
    plan.cancelled = cancel;
    plan.rows = std::move(rows);
    plan.presets = std::move(presets);
    plan.options = std::move(options);
    return plan;
}

ConversionRun runConversion(const ConversionPlan& plan, const std::vector<bool>& replace,
                            document::FileWriter& writer, const ConvertProgress& progress,
                            const std::atomic<bool>& cancel) {
    ConversionRun run;
    run.rows = plan.rows;
    run.options = plan.options;
    Outcome notDone;
    notDone.kind = OutcomeKind::NotDone;
    run.outcomes.assign(plan.presets.size(), notDone);
    ConvertAllOptions all;
    all.mayReplace = [&replace](std::size_t i, const std::filesystem::path&) {
        return i < replace.size() && replace[i];
    };
    ConvertAllCallbacks callbacks;
    callbacks.done = [&](const ItemReport& item) {
        run.outcomes[item.index] = outcomeOf(item, plan.options);
    };
    callbacks.progress = [&](std::size_t n, const std::string&) {
        if (progress) progress(n, plan.presets.size());
    };
    convertPresets(plan.presets, plan.options, all, callbacks, writer, cancel);
    run.cancelled = cancel;
    for (const Outcome& o : run.outcomes)
        ++run.counts[std::size_t(o.kind)];
    run.report =
        writeReport(plan.options.folder, plan.presets, run.outcomes, writer, run.reportError);
    return run;
}

std::filesystem::path writeReport(const std::filesystem::path& folder, const Presets& presets,
                                  const std::vector<Outcome>& outcomes,
                                  document::FileWriter& writer, std::string& error) {
    std::string csv = "input,member,outcome,output,substitutions,removals,reason\r\n";
    for (std::size_t i = 0; i < presets.size() && i < outcomes.size(); ++i) {
        const Preset& p = *presets[i];
        const Outcome& o = outcomes[i];
        const std::string fields[] = {
            p.source.file.native(),
            p.source.member,
            std::string(outcomeWord(o.kind)),
            o.output,
            std::to_string(o.substitutions),
            std::to_string(o.removals),
            o.reason,
        };
        for (std::size_t f = 0; f < std::size(fields); ++f)
            csv += (f ? "," : "") + document::csvField(fields[f]);
        csv += "\r\n";
    }
    // A new name for every run: an earlier report is never replaced.
    const std::string stamp = localStamp();
    std::filesystem::path path = folder / ("Patchwright report " + stamp + ".csv");
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec); ++n)
        path = folder / ("Patchwright report " + stamp + " (" + std::to_string(n) + ").csv");
    const document::IoResult written = document::replaceFileWhole(writer, path, csv);
    if (!written.ok()) {
        error = written.error;
        return {};
    }
    return path;
}

}  // namespace pw::library
