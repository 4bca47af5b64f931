// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/resolve.h"

#include "catalogue/substitutions.h"
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
    std::vector<std::size_t> doomed;
    for (std::size_t n = 1; n <= list.count(); ++n) {
        Row& row = list.row(n);
        if (isMarked(row, {kName, kId, kPosition})) {
            doomed.push_back(n);
            continue;
        }
        if (!isMarked(row, {kSetting, kValue})) continue;
        const catalogue::Block* block = catalogue::blockOfRow(row.id(), row.position());
        if (!block) continue;
        const double value = models::readLeadingNumber(row.value());
        if (targetKnowsModel(*block, value, target)) continue;
        const catalogue::Substitution* line =
            catalogue::substitutionFor(*block, value, target.caption);
        const catalogue::Entry* entry = line ? catalogue::substituteEntry(*line) : nullptr;
        if (!entry) continue;
        Substituted done{n, row.name(), row.setting(), row.value(), {}, {}, line->reason};
        writeModel(row, *entry);
        done.newSetting = row.setting();
        done.newValue = row.value();
        report.substitutions.push_back(std::move(done));
    }
    for (std::size_t n : doomed) {
        const Row& row = list.row(n);
        report.removals.push_back({n, row.name(), row.id(), row.position()});
    }
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        list.remove(*it);
    report.conflictsLeft = CountErrors(list);
    return report;
}

}  // namespace pw::filter
