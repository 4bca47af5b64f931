// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/conversion.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "convert/convert.h"
#include "document/csv_field.h"
#include "library/convert_all.h"
#include "library/output_claims.h"
#include "library/read_again.h"
#include "library/source.h"

namespace pw::library {
namespace {

// Why an input cannot convert: it could not be read, or the conversion stopped short of
// Save.
std::string cannotReason(const ItemReport& item, const ConvertOptions& options) {
    if (item.outcome == ItemOutcome::NotRead)
        return item.read.error.empty() ? "cannot be read" : item.read.error;
    return cannotConvertReason(item.result, *options.settings.target);
}

std::string collidesReason(const std::string& output) {
    return "another preset of this run is saved as " + output;
}

std::string isSourceReason(const std::string& output) {
    return output + " is one of the presets being converted";
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
            o.reason = collidesReason(o.output);
            break;
        case ItemOutcome::Exists:
            o.kind = OutcomeKind::Kept;
            break;
        case ItemOutcome::IsSource:
            o.kind = OutcomeKind::Cannot;
            o.reason = isSourceReason(o.output);
            break;
        case ItemOutcome::Failed:
            o.kind = OutcomeKind::Failed;
            o.reason = item.writeError;
    }
    return o;
}

// Converts the presets with convert-all; `callbacks` gets the reports. A preset is read
// again from its file or pack member, one that could not be read too: it fails as its
// triage did, in the same words.
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
        if (presets[i]->source.inArchive()) {
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
        if (!p.source.inArchive()) {
            input.file = p.source.file;
        } else if (nextMember < memberAt.size() && memberAt[nextMember] == at) {
            SourceBytes& read = memberBytes[nextMember++];
            document::ReadResult& given = input.read.emplace();
            given.exists = true;
            given.complete = read.ok;
            given.bytes = std::move(read.bytes);
            given.error = read.problem;
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

namespace {

// Counts an outcome of the plan in.
void tally(ConversionPlan& plan, std::size_t index, Outcome o, bool existed) {
    if (o.kind == OutcomeKind::Cannot) {
        ++plan.cannot;
    } else {
        ++(o.kind == OutcomeKind::Collides ? plan.collide : plan.write);
        plan.namesFixed += o.nameFixed;
        if (existed) plan.existing.push_back(index);
    }
    plan.outcomes[index] = std::move(o);
}

// What converting a preset would end in, told by its triage (which ran the same
// conversion, with Resolve Conflicts, and judged the name apart): Written when Save
// would take it, the output still to be claimed.
Outcome triagedOutcome(const Triage& t, const ConvertOptions& options) {
    Outcome o;
    if (t.status == Status::Unreadable || t.status == Status::ViewOnly) {
        o.kind = OutcomeKind::Cannot;
        o.reason = t.reason.empty() ? "cannot be read" : t.reason;
        return o;
    }
    o.output = (options.fixNames ? t.fixedName : t.unfixedName) +
               std::string(options.settings.target->extension);
    o.substitutions = t.substitutions;
    o.removals = t.removals;
    o.nameFixed = options.fixNames && t.nameRefused;
    if (t.nameRefused && !options.fixNames) {
        // Save's name check comes before every other.
        convert::Result refused;
        refused.verdict = convert::Verdict::Refused;
        refused.refusal = convert::SaveRefusal::BadFileName;
        o.kind = OutcomeKind::Cannot;
        o.reason = cannotConvertReason(refused, *options.settings.target);
    } else if (t.status == Status::Cannot) {
        o.kind = OutcomeKind::Cannot;
        o.reason = t.reason;
    } else {
        o.kind = OutcomeKind::Written;
    }
    return o;
}

}  // namespace

ConversionPlan planConversion(std::vector<std::size_t> rows, Presets presets,
                              ConvertOptions options, const std::atomic<bool>& cancel) {
    ConversionPlan plan;
    plan.outcomes.resize(presets.size());
    ConvertAllOptions all;
    all.dryRun = true;
    all.overwrite = true;  // an existing file claims its name; the user is asked later
    ConvertAllCallbacks callbacks;
    callbacks.done = [&](const ItemReport& item) {
        tally(plan, item.index, outcomeOf(item, options), item.existed);
    };
    convertPresets(presets, options, all, callbacks, document::systemFileWriter(), cancel);
    plan.cancelled = cancel;
    plan.rows = std::move(rows);
    plan.presets = std::move(presets);
    plan.options = std::move(options);
    return plan;
}

ConversionPlan planFromTriages(std::vector<std::size_t> rows, Presets presets,
                               const std::vector<Triage>& triages, ConvertOptions options,
                               const std::atomic<bool>& cancel) {
    ConversionPlan plan;
    plan.outcomes.resize(presets.size());
    std::vector<std::filesystem::path> sources;
    for (const auto& p : presets)
        if (!p->source.inArchive()) sources.push_back(p->source.file);
    OutputClaims claims(sources);
    for (std::size_t i = 0; i < presets.size() && i < triages.size(); ++i) {
        if (cancel) break;
        Outcome o = triagedOutcome(triages[i], options);
        bool existed = false;
        if (o.kind == OutcomeKind::Written) {
            const OutputClaims::Claim c = claims.claim(
                i, o.output, options.folder, [] { return true; }, false);
            existed = c.existed;
            if (c.verdict == OutputClaims::Verdict::Claimed) {
                o.kind = OutcomeKind::Collides;
                o.reason = collidesReason(o.output);
            } else if (c.verdict == OutputClaims::Verdict::IsSource) {
                o.kind = OutcomeKind::Cannot;
                o.reason = isSourceReason(o.output);
            }
        }
        tally(plan, i, std::move(o), existed);
    }
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
    all.contents = true;
    ConvertAllCallbacks callbacks;
    callbacks.done = [&](const ItemReport& item) {
        run.outcomes[item.index] = outcomeOf(item, plan.options);
        const Preset& from = *plan.presets[item.index];
        if (item.outcome == ItemOutcome::Written && item.converted && from.readable)
            run.copies.push_back({{from.contentKey, from.name}, *item.converted});
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
    for (std::size_t i = 0, n = std::min(presets.size(), outcomes.size()); i < n; ++i) {
        const Preset& p = *presets[i];
        const Outcome& o = outcomes[i];
        const std::string fields[] = {
            p.source.file,
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
