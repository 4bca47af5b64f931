// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/resolve.h"

#include <optional>
#include <unordered_map>

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

ResolveReport ResolveConflicts(ParamList& list, const document::Target& target) {
    ResolveReport report;
    std::vector<bool> doomed(list.count() + 1, false);
    std::vector<Pending> pending;
    // The model a substituted row held, by its Position: the parameters of that model
    // that the target lacks go with it.
    std::unordered_map<std::string, std::string> replacedAt;
    std::optional<bool> channelBOnly;  // worked out once, when a pedal needs it

    for (std::size_t n = 1; n <= list.count(); ++n) {
        Row& row = list.row(n);
        if (isMarked(row, {kName, kId, kPosition})) {
            doomed[n] = true;
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
        if (choice->line && choice->line->otherChannel) {
            if (!channelBOnly) channelBOnly = keepsChannelBOnly(list);
            if (!*channelBOnly) {
                choice->entry = catalogue::entryOf(block->title, "None");
                choice->character = {};
                choice->reason = "a control of amp channel B, which is not the channel kept";
                if (!choice->entry) continue;
            }
        }
        ResolveChange change = changeOf(ChangeKind::Substituted, row);
        change.block = std::string(block->title);
        change.character = std::string(choice->character);
        change.reason = std::string(choice->reason);
        if (!block->onlyAtPosition19) replacedAt.emplace(row.position(), row.setting());
        writeModel(row, *choice->entry);
        change.newSetting = row.setting();
        change.newValue = row.value();
        pending.push_back({n, std::move(change)});
    }

    // One walk closes up the rows that are left and writes the report in row order.
    std::size_t n = 0, keptCount = 0;
    auto next = pending.begin();
    list.keepIf([&](Row& row) {
        ++n;
        if (doomed[n]) {
            ResolveChange change = changeOf(ChangeKind::Removed, row);
            // Named after the model it belonged to when that model was replaced, else
            // after itself.
            const auto model = replacedAt.find(row.position());
            change.reason =
                "the " + std::string(target.caption) + " has no " +
                (model != replacedAt.end() && !model->second.empty() ? model->second : row.name());
            report.changes.push_back(std::move(change));
            ++report.removed;
            return false;
        }
        ++keptCount;
        if (next != pending.end() && next->row == n) {
            next->change.rowAfter = keptCount;
            report.changes.push_back(std::move(next->change));
            ++report.substituted;
            ++next;
        }
        return true;
    });
    report.conflictsLeft = CountErrors(list);
    return report;
}

}  // namespace pw::filter
