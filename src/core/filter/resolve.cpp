// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/resolve.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/substitutions.h"
#include "filter/amp_channel.h"
#include "filter/list_edits.h"
#include "models/check_dispatch.h"
#include "params/number_reader.h"

namespace pw::filter {

namespace {

bool isMarked(const Row& row, std::initializer_list<Column> columns) {
    for (Column c : columns)
        if (row.marks[c] == Mark::Conflict) return true;
    return false;
}

// Whether the list keeps amp channel B alone: its rows are there and channel A's not.
bool keepsChannelBOnly(const ParamList& list) {
    bool a = false, b = false;
    for (const Row& row : list) {
        a = a || isOfChannel(row.name(), 'A');
        b = b || isOfChannel(row.name(), 'B');
    }
    return b && !a;
}

// A change to `row`, with the cells it had before.
ResolveChange changeOf(ChangeKind kind, const Row& row) {
    ResolveChange change;
    change.kind = kind;
    change.name = row.name();
    change.id = row.id();
    change.position = row.position();
    change.oldSetting = row.setting();
    change.oldValue = row.value();
    return change;
}

// A substitution of row `n`, before the row numbers after Resolve are known.
struct Pending {
    std::size_t row;
    ResolveChange change;
};

}  // namespace

bool targetKnowsModel(const catalogue::Block& block, double value, const document::Target& target) {
    const models::FamilyChecks& m = models::moduleOf(target.family);
    const std::string_view t = block.title;
    const models::Kind v = models::Kind::Values;
    if (t == "Amp") return m.CheckAmp(value, v, target.root) == 1;
    if (t == "Cabinet") return m.CheckCabinet(value) == 1;
    if (t == "Wah") return m.CheckWah(value, v) == 1;
    if (t == "Compressor") return m.CheckCompressor(value, v) == 1;
    if (t == "Distortion") return m.CheckDistortion(value, v, target.root) == 1;
    if (t == "Noise gate") return m.CheckGate(value, v) == 1;
    if (t == "Mod/FX") return m.CheckModulation(value, v) == 1;
    if (t == "Pedal assignment") return m.CheckPedal(value, v) == 1;
    if (t == "Delay") return m.CheckDelay(value, v) == 1;
    if (t == "EQ") return m.CheckEQ(value, v) == 1;
    if (t == "Reverb") return m.CheckReverb(value, v) == 1;
    if (t == "Tone library") return m.CheckToneLibrary(value, v) == 1;
    if (t == "FX library") return m.CheckFxLibrary(value) == 1;
    return false;
}

void writeModel(Row& row, const catalogue::Entry& entry) {
    row.cells[kSetting] = std::string(entry.name);
    row.cells[kValue] = catalogue::valueText(entry);
    row.mark(kSetting, Mark::Change);
    row.mark(kValue, Mark::Change);
}

namespace {

// A pedal's or an LFO's assignment row: the control it drives is position x 65536 + ID.
bool isAssignRow(const Row& row) {
    return (row.id() == "8194" && row.position() == "19") ||
           (row.id() == "8258" && (row.position() == "22" || row.position() == "23"));
}

bool hasRowAt(const ParamList& list, int position) {
    const std::string text = std::to_string(position);
    return std::any_of(list.begin(), list.end(),
                       [&](const Row& row) { return row.position() == text; });
}

// The amp channel a Position belongs to ('A' 8, 9, 24; 'B' 10, 11, 25), or 0.
char channelOfPosition(int position) {
    switch (position) {
        case 8:
        case 9:
        case 24:
            return 'A';
        case 10:
        case 11:
        case 25:
            return 'B';
        default:
            return 0;
    }
}

// The pedal catalogue's entry for `value`, or null.
const catalogue::Entry* pedalEntry(std::int64_t value) {
    for (const catalogue::Block& block : catalogue::blocks())
        if (block.onlyAtPosition19)
            for (const catalogue::Entry& entry : block.entries)
                if (entry.value == value) return &entry;
    return nullptr;
}

// Points an assignment row at `entry`, as a pick of the pedal list writes it.
void assign(Row& row, const catalogue::Entry& entry) {
    writeModel(row, entry);
}

}  // namespace

std::vector<ResolveChange> removalsBetween(
    const ParamList& before, const ParamList& after,
    const std::function<std::string(const Row&, bool emptied)>& reason) {
    // A row that stays keeps its Name and its place among the others; a row added on the
    // way is passed over.
    std::vector<bool> gone(before.count() + 1, false);
    std::unordered_set<std::string> keptAt;  // the Positions rows are left at
    std::size_t next = 1;
    for (std::size_t n = 1; n <= before.count(); ++n) {
        const Row& row = before.row(n);
        std::size_t found = next;
        while (found <= after.count() && after.row(found).name() != row.name())
            ++found;
        gone[n] = found > after.count();
        if (gone[n]) continue;
        next = found + 1;
        keptAt.insert(row.position());
    }
    std::vector<ResolveChange> removed;
    for (std::size_t n = 1; n <= before.count(); ++n) {
        if (!gone[n]) continue;
        const Row& row = before.row(n);
        ResolveChange change = changeOf(ChangeKind::Removed, row);
        change.reason = reason(row, !keptAt.contains(row.position()));
        removed.push_back(std::move(change));
    }
    return removed;
}

std::vector<ResolveChange> filterRemovals(const ParamList& before, const ParamList& after,
                                          std::string_view targetCaption) {
    return removalsBetween(before, after, [&](const Row& row, bool emptied) {
        return "Filter Patch: the " + std::string(targetCaption) + " has no " +
               (emptied ? "row at Position " + row.position() : row.name());
    });
}

std::vector<ResolveChange> channelRemovals(const ParamList& before, const ParamList& after,
                                           char kept) {
    const char dropped = kept == 'A' ? 'B' : 'A';
    return removalsBetween(before, after, [dropped](const Row&, bool) {
        return std::string("amp channel ") + dropped + " is not kept";
    });
}

namespace {
// What Resolve finds of a row.
struct RowFate {
    bool doomed = false;
    bool carried = false;            // its value went into a new knob
    std::string notOwn;              // a knob of another model: whose
    std::int32_t replacedModel = 0;  // the model a substituted row held
};
}  // namespace

ResolveReport ResolveConflicts(ParamList& list, const document::Target& target) {
    ResolveReport report;
    std::vector<RowFate> fate(list.count() + 1);  // by row number
    std::vector<Pending> pending;
    std::vector<std::size_t> assignRows;
    // The model a substituted row held, by its Position: the parameters of that model
    // that the target lacks go with it.
    std::unordered_map<std::string, std::string> replacedAt;

    for (std::size_t n = 1; n <= list.count(); ++n) {
        Row& row = list.row(n);
        if (isMarked(row, {kName, kId, kPosition})) {
            fate[n].doomed = true;
            continue;
        }
        if (isAssignRow(row)) {
            assignRows.push_back(n);
            continue;
        }
        if (!isMarked(row, {kSetting, kValue})) continue;
        const catalogue::Block* block = catalogue::blockOfRow(row.id(), row.position());
        if (!block) continue;
        const double value = models::readLeadingNumber(row.value());
        if (targetKnowsModel(*block, value, target)) continue;
        std::optional<catalogue::Choice> choice =
            catalogue::chooseSubstitute(*block, value, row.setting(), target.caption);
        if (!choice) continue;
        ResolveChange change = changeOf(ChangeKind::Substituted, row);
        change.block = std::string(block->title);
        change.character = std::string(choice->character);
        change.reason = std::string(choice->reason);
        replacedAt.emplace(row.position(), row.setting());
        fate[n].replacedModel = static_cast<std::int32_t>(value);
        writeModel(row, *choice->entry);
        change.newSetting = row.setting();
        change.newValue = row.value();
        pending.push_back({n, std::move(change)});
    }

    // Each block whose model is new, or lacks knobs of its own, is made whole.
    std::vector<BlockPlan> plans;
    for (std::size_t n = 1; n <= list.count(); ++n) {
        if (fate[n].doomed || !settingsBlockOfRow(list.row(n))) continue;
        const bool substituted = fate[n].replacedModel != 0;
        const std::int32_t replaced =
            substituted ? fate[n].replacedModel
                        : static_cast<std::int32_t>(models::readLeadingNumber(list.row(n).value()));
        std::optional<BlockPlan> plan = planBlock(list, n, replaced, target);
        if (!plan) continue;
        for (std::size_t d = 0; d < plan->dropped.size(); ++d) {
            const std::size_t dropped = plan->dropped[d];
            fate[dropped].carried = plan->carried[d];
            if (!fate[dropped].doomed) fate[dropped].notOwn = list.row(n).setting();
            fate[dropped].doomed = true;
        }
        for (const SettingWritten& w : plan->written)
            ++(w.neutral ? report.settingsNeutral : report.settingsCarried);
        auto sub = std::find_if(pending.begin(), pending.end(),
                                [n](const Pending& p) { return p.row == n; });
        if (sub != pending.end()) {
            sub->change.settings = plan->written;
        } else if (!plan->written.empty()) {
            ResolveChange change = changeOf(ChangeKind::Completed, list.row(n));
            change.settings = plan->written;
            auto at =
                std::upper_bound(pending.begin(), pending.end(), n,
                                 [](std::size_t row, const Pending& p) { return row < p.row; });
            pending.insert(at, {n, std::move(change)});
        }
        plans.push_back(std::move(*plan));
    }

    // The pedals, once the knobs are settled: a pedal follows its knob to the knob of the
    // same role, and one whose knob is gone without a successor drives nothing.
    std::optional<bool> channelBOnly;  // worked out once, when a pedal needs it
    for (std::size_t n : assignRows) {
        Row& row = list.row(n);
        const auto value = static_cast<std::int64_t>(models::readLeadingNumber(row.value()));
        const int position = static_cast<int>(value / 65536);
        const auto knob = static_cast<std::int32_t>(value % 65536);
        const catalogue::Block* pedals = catalogue::blockOfRow("8194", "19");
        const catalogue::Entry* none = catalogue::entryOf(pedals->title, "None");
        ResolveChange change = changeOf(ChangeKind::Substituted, row);
        change.block = std::string(pedals->title);
        const catalogue::Entry* entry = nullptr;
        for (const BlockPlan& plan : plans) {
            if (plan.position != position) continue;
            for (const auto& [from, to] : plan.moves)
                if (from == knob && from != to)
                    entry = pedalEntry(static_cast<std::int64_t>(position) * 65536 + to);
            const bool knobGone = std::any_of(
                plan.dropped.begin(), plan.dropped.end(),
                [&](std::size_t d) { return models::readLeadingNumber(list.row(d).id()) == knob; });
            if (entry) {
                Row probe = row;
                assign(probe, *entry);
                if (!targetAccepts(probe, target)) entry = nullptr;
            }
            if (entry)
                change.reason = "the knob of the same role on the new model";
            else if (knobGone && none) {
                entry = none;
                change.reason = "the knob it drove went with the model it belonged to";
            }
        }
        if (!entry && isMarked(row, {kSetting, kValue}) && row.id() == "8194") {
            std::optional<catalogue::Choice> choice = catalogue::chooseSubstitute(
                *pedals, static_cast<double>(value), row.setting(), target.caption);
            if (!choice) continue;
            if (choice->line && choice->line->otherChannel) {
                if (!channelBOnly) channelBOnly = keepsChannelBOnly(list);
                if (!*channelBOnly) {
                    choice->entry = none;
                    choice->character = {};
                    choice->reason = "a control of amp channel B, which is not the channel kept";
                    if (!choice->entry) continue;
                }
            }
            entry = choice->entry;
            change.character = std::string(choice->character);
            change.reason = std::string(choice->reason);
        }
        const char channel = channelOfPosition(position);
        if (!entry && channel && none && !isMarked(row, {kSetting, kValue}) &&
            !hasRowAt(list, position) && (hasRowAt(list, channel == 'A' ? 10 : 8))) {
            entry = none;
            change.reason = std::string("a control of amp channel ") + channel +
                            ", which is not the channel kept";
        }
        if (!entry) continue;
        assign(row, *entry);
        change.newSetting = row.setting();
        change.newValue = row.value();
        auto at = std::upper_bound(pending.begin(), pending.end(), n,
                                   [](std::size_t r, const Pending& p) { return r < p.row; });
        pending.insert(at, {n, std::move(change)});
    }

    // One walk closes up the rows that are left and writes the report in row order.
    std::size_t n = 0, keptCount = 0;
    auto next = pending.begin();
    list.keepIf([&](Row& row) {
        ++n;
        if (fate[n].doomed) {
            ++report.removed;
            // A knob whose value a new knob took is told in the substitution's line.
            if (fate[n].carried) return false;
            ResolveChange change = changeOf(ChangeKind::Removed, row);
            change.reason = "the " + std::string(target.caption);
            if (!fate[n].notOwn.empty()) {
                change.reason = "not a knob of " + fate[n].notOwn;
            } else if (isMarked(row, {kPosition}) && !isMarked(row, {kId})) {
                change.reason += " keeps no row at Position " + row.position();
            } else {
                // Named after the model it belonged to when that model was replaced, else
                // after itself.
                const auto model = replacedAt.find(row.position());
                change.reason += " has no " + (model != replacedAt.end() && !model->second.empty()
                                                   ? model->second
                                                   : row.name());
            }
            report.changes.push_back(std::move(change));
            return false;
        }
        ++keptCount;
        while (next != pending.end() && next->row == n) {
            next->change.rowAfter = keptCount;
            if (next->change.kind == ChangeKind::Completed)
                ++report.completed;
            else
                ++report.substituted;
            report.changes.push_back(std::move(next->change));
            ++next;
        }
        return true;
    });

    // The new knobs take their places; the rows after each move down by one.
    for (const BlockPlan& plan : plans)
        for (const Row& added : plan.added) {
            const std::size_t place = insertInPlace(list, added);
            for (ResolveChange& change : report.changes)
                if (change.rowAfter >= place) ++change.rowAfter;
        }
    report.conflictsLeft = CountErrors(list);
    return report;
}

}  // namespace pw::filter
