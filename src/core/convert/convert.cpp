// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/convert.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "catalogue/effect_catalogue.h"
#include "convert/name_check.h"
#include "document/preset_writer.h"
#include "document/root_names.h"
#include "document/text_decoding.h"
#include "filter/amp_channel.h"
#include "filter/block_settings.h"
#include "filter/default_rows.h"
#include "filter/filter_recipes.h"
#include "filter/list_edits.h"
#include "models/load_pass.h"
#include "params/letter_case.h"
#include "params/number_reader.h"

namespace pw::convert {

namespace {

using document::Family;

// Loads the preset for the target as File > Open does, taking its texts over; false when
// it cannot be loaded.
bool load(document::ParseResult& parsed, std::string sourceRoot, const Plan& plan, Result& r) {
    r.sourceRoot = std::move(sourceRoot);
    r.readStatus = parsed.status;
    r.readDetail = std::move(parsed.error);
    if (!parsed.document.firstName) {
        r.load = LoadFailure::NotLoadable;
        if (r.readDetail.empty()) r.readDetail = "the document has no Name element";
        return false;
    }
    r.originalName = *std::move(parsed.document.firstName);
    models::PassResult pass =
        models::runPass(std::move(parsed.document), plan.target->family, r.sourceRoot,
                        plan.target->root, filter::kMostRowsAdded);
    if (pass.missingChild) {
        r.load = LoadFailure::ParameterMissing;
        r.missingChild = *pass.missingChild;
        return false;
    }
    r.rows = std::move(pass.rows);
    return true;
}

// Makes the picks as Model Select writes them, each model with its own knobs (the
// values of the old model's knobs of the same role carried over); false when one cannot
// be made. A pick of the model a row holds already changes nothing.
bool applyPicks(const Plan& plan, Result& r) {
    r.pickMatches.assign(plan.picks.size(), 0);
    for (std::size_t p = 0; p < plan.picks.size(); ++p) {
        const Pick& pick = plan.picks[p];
        for (std::size_t n = 1; n <= r.rows.count(); ++n) {
            Row& row = r.rows.row(n);
            if (!equalIgnoringCase(row.name(), pick.row)) continue;
            ++r.pickMatches[p];
            const catalogue::Block* block = catalogue::blockOfRow(row.id(), row.position());
            if (!block) {
                r.pickProblem =
                    PickProblem{PickProblem::Kind::SelectsNoModel, n, row.name(), pick.model, {}};
                return false;
            }
            const std::optional<std::size_t> index = catalogue::entryIndex(*block, pick.model);
            if (!index) {
                r.pickProblem = PickProblem{PickProblem::Kind::NotInBlock, n, row.name(),
                                            pick.model, std::string(block->title)};
                return false;
            }
            const catalogue::Entry& entry = block->entries[*index];
            if (row.value() == catalogue::valueText(entry)) continue;
            PickChange change{n, row.name(), row.setting(), row.value(), {}, {}, {}};
            const auto replaced = static_cast<std::int32_t>(models::readLeadingNumber(row.value()));
            filter::writeModel(row, entry);
            change.newSetting = row.setting();
            change.newValue = row.value();
            if (std::optional<filter::BlockPlan> knobs =
                    filter::planBlock(r.rows, n, replaced, *plan.target)) {
                change.settings = knobs->written;
                const std::size_t before =
                    std::count_if(knobs->dropped.begin(), knobs->dropped.end(),
                                  [n](std::size_t d) { return d < n; });
                filter::applyBlock(r.rows, *knobs);
                // The model row's own number after the knobs before it went and came.
                n -= before;
                while (n < r.rows.count() && (r.rows.row(n).name() != change.name ||
                                              r.rows.row(n).value() != change.newValue))
                    ++n;
            }
            r.picks.push_back(std::move(change));
        }
    }
    return true;
}

// The steps after loading: the filter, the amp channel, the picks, Resolve Conflicts, the
// name and Save's checks.
void convertLoaded(const Plan& plan, Result& r, std::string_view sourceStem) {
    const document::Target& target = *plan.target;
    r.patchName = r.originalName;
    if (!document::isFullUseRoot(r.sourceRoot)) {
        r.verdict = Verdict::ViewOnly;
        return;
    }
    // With Resolve, the report tells the rows the filter and the amp channel take too.
    std::vector<filter::ResolveChange> removedBefore;
    bool filtered = false;
    if (document::familyOf(r.sourceRoot) != target.family) {
        std::optional<ParamList> before;
        if (plan.resolve && plan.tellRemovals) before = r.rows;
        filter::FilterPatch(r.rows, r.sourceRoot, target.root);
        if (before) removedBefore = filter::filterRemovals(*before, r.rows, target.caption);
        filtered = true;
    }
    bool ampChosen = false;
    if (plan.amp && document::isTwoChannelRoot(r.sourceRoot)) {
        std::optional<ParamList> before;
        if (plan.resolve && plan.tellRemovals) before = r.rows;
        filter::SelectAmpChannel(r.rows, plan.amp);
        if (before) {
            std::vector<filter::ResolveChange> channel =
                filter::channelRemovals(*before, r.rows, plan.amp);
            removedBefore.insert(removedBefore.end(), std::make_move_iterator(channel.begin()),
                                 std::make_move_iterator(channel.end()));
        }
        r.patchName = filter::channelPatchName(r.patchName, plan.amp);
        ampChosen = true;
    }
    if (!applyPicks(plan, r)) {
        r.verdict = Verdict::BadPick;
        return;
    }
    r.conflictsBeforeResolve = filter::CountErrors(r.rows);
    if (plan.resolve && (filtered || needsNoFilter(r.sourceRoot, target))) {
        r.resolveReport = filter::ResolveConflicts(r.rows, target);
        r.resolveReport.removedBefore = removedBefore.size();
        r.resolveReport.changes.insert(r.resolveReport.changes.begin(),
                                       std::make_move_iterator(removedBefore.begin()),
                                       std::make_move_iterator(removedBefore.end()));
        r.resolveRan = true;
    }
    if (plan.name) r.patchName = *plan.name;
    r.unfixedName = r.patchName;
    // A name that would make a hidden file, or one without a name, is refused in a batch
    // (Save asks the user, who sees the name); fixed, the source's own name stands in.
    const bool dots = isDotsName(r.patchName);
    r.fixedName = fixedPatchName(dots ? sourceStem : std::string_view(r.patchName));
    if (isDotsName(r.fixedName))
        r.fixedName = std::string(std::max<std::size_t>(1, r.fixedName.size()), '_');
    // Save refuses a name (BadFileName) by its name check alone, before any other check;
    // a batch's name check refuses more than the main window's Save.
    r.nameRefused = dots || refusedNameCharacter(r.patchName, NameRules::Batch).has_value();
    if (plan.fixNames) r.patchName = r.fixedName;
    const SaveState state{r.patchName, true, r.sourceRoot, &target, filtered, ampChosen, &r.rows};
    r.fileName = r.patchName + std::string(target.extension);
    r.refusal = isDotsName(r.patchName) || refusedNameCharacter(r.patchName, NameRules::Batch)
                    ? std::optional(SaveRefusal::BadFileName)
                    : saveCheck(state);
    if (r.refusal) {
        r.verdict = Verdict::Refused;
        return;
    }
    // Save passes, so any conflict there was has been resolved.
    r.verdict = r.conflictsBeforeResolve > 0 ? Verdict::Resolved : Verdict::Saved;
    if (plan.render) r.bytes = document::renderPreset(target, r.patchName, r.rows);
}

}  // namespace

std::string sourceRootOf(std::string_view bytes) {
    if (document::isUtf16(bytes))
        return document::FindRootName(document::rawTextForSearch(std::string(bytes)));
    return document::FindRootName(bytes);
}

Result convertPreset(std::string_view bytes, const Plan& plan, std::string_view sourceStem) {
    return convertParsed(document::parsePreset(bytes), sourceRootOf(bytes), plan, sourceStem);
}

Result convertParsed(document::ParseResult&& parsed, std::string sourceRoot, const Plan& plan,
                     std::string_view sourceStem) {
    Result r;
    if (load(parsed, std::move(sourceRoot), plan, r)) convertLoaded(plan, r, sourceStem);
    return r;
}

}  // namespace pw::convert
