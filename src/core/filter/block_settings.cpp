// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/block_settings.h"

#include <algorithm>

#include "catalogue/model_settings.h"
#include "models/check_dispatch.h"
#include "params/number_reader.h"

namespace pw::filter {

namespace {

int wholeNumber(const std::string& text) {
    const double n = models::readLeadingNumber(text);
    return static_cast<int>(std::clamp(n, -2e9, 2e9));  // no ID is that large
}

bool atPosition(const Row& row, int position) {
    return row.position() == std::to_string(position);
}

const catalogue::Setting* settingWithId(std::span<const catalogue::Setting> settings,
                                        std::int32_t id) {
    for (const catalogue::Setting& s : settings)
        if (s.id == id) return &s;
    return nullptr;
}

// The list's rows at the block's Position that are neither the block's own rows nor the
// model-select row itself: the knobs of whatever model the block held.
std::vector<std::size_t> knobRows(const ParamList& list, const catalogue::Block& block,
                                  int position) {
    std::vector<std::size_t> rows;
    for (std::size_t n = 1; n <= list.count(); ++n) {
        const Row& row = list.row(n);
        if (!atPosition(row, position)) continue;
        if (catalogue::isBlockRow(block.title, wholeNumber(row.id()))) continue;
        rows.push_back(n);
    }
    return rows;
}

}  // namespace

const catalogue::Block* settingsBlockOfRow(const Row& row) {
    const catalogue::Block* block = catalogue::blockOfRow(row.id(), row.position());
    if (!block) return nullptr;
    const std::optional<int> position = catalogue::settingsPosition(block->title);
    return position && atPosition(row, *position) ? block : nullptr;
}

bool targetAccepts(const Row& row, const document::Target& target) {
    Row probe = row;
    probe.marks = {};
    std::optional<std::string> label5;
    const models::CheckContext context{target.family, target.root, target.root, &label5};
    models::checkRow(probe, context);
    return std::none_of(probe.marks.begin(), probe.marks.end(),
                        [](Mark m) { return m == Mark::Conflict; });
}

std::optional<BlockPlan> planBlock(const ParamList& list, std::size_t modelRow,
                                   std::int32_t replaced, const document::Target& target) {
    const Row& modelRowRef = list.row(modelRow);
    const catalogue::Block* block = settingsBlockOfRow(modelRowRef);
    if (!block) return std::nullopt;
    const int position = *catalogue::settingsPosition(block->title);
    const std::int32_t model = wholeNumber(modelRowRef.value());
    const std::span<const catalogue::Setting> settings = catalogue::settingsOf(block->title, model);
    if (settings.empty()) return std::nullopt;

    BlockPlan plan;
    plan.position = position;
    plan.block = block;
    plan.model = model;
    std::vector<bool> present(settings.size(), false);
    std::vector<std::size_t> others;  // knobs of another model: they go
    for (std::size_t n : knobRows(list, *block, position)) {
        const catalogue::Setting* own = settingWithId(settings, wholeNumber(list.row(n).id()));
        if (own)
            present[static_cast<std::size_t>(own - settings.data())] = true;
        else
            others.push_back(n);
    }
    if (others.empty() && std::all_of(present.begin(), present.end(), [](bool p) { return p; }))
        return std::nullopt;

    plan.dropped = others;
    plan.carried.assign(others.size(), false);
    for (std::size_t k = 0; k < settings.size(); ++k) {
        const catalogue::Setting& s = settings[k];
        // The old knob of the same role, each carried once.
        std::optional<std::size_t> source;
        for (std::size_t d = 0; d < others.size() && !source; ++d) {
            const Row& old = list.row(others[d]);
            if (!plan.carried[d] && catalogue::roleOf(block->title, replaced, wholeNumber(old.id()),
                                                      old.name()) == s.role)
                source = d;
        }
        if (present[k]) {
            // The knob is there already; a pedal on an old knob of its role may follow it.
            if (source) {
                plan.carried[*source] = true;
                plan.moves.emplace_back(wholeNumber(list.row(others[*source]).id()), s.id);
            }
            continue;
        }
        SettingWritten written;
        written.label = std::string(s.label);
        int value = s.neutral;
        if (const catalogue::SettingPreset* preset =
                catalogue::presetFor(block->title, replaced, s.id)) {
            value = preset->value;
            written.why = std::string(preset->why);
        } else if (source) {
            const Row& old = list.row(others[*source]);
            value = std::clamp(wholeNumber(old.value()), 0, s.max);
            plan.carried[*source] = true;
            plan.moves.emplace_back(wholeNumber(old.id()), s.id);
            // The old knob's own label: its name less the words it shares with the block.
            const std::string& name = old.name();
            const std::size_t blank = name.find(' ');
            const std::string label = blank == std::string::npos ? name : name.substr(blank + 1);
            if (label != s.label) written.from = label;
        } else {
            written.neutral = true;
        }
        Row row;
        row.cells[kName] = std::string(s.name);
        row.cells[kSetting] = catalogue::settingText(s, value);
        row.cells[kId] = std::to_string(s.id);
        row.cells[kPosition] = std::to_string(position);
        row.cells[kValue] = std::to_string(value);
        if (!targetAccepts(row, target)) continue;
        for (Mark& m : row.marks)
            m = Mark::Change;
        written.text = row.setting();
        plan.added.push_back(std::move(row));
        plan.written.push_back(std::move(written));
    }
    if (plan.added.empty() && plan.dropped.empty()) return std::nullopt;
    return plan;
}

std::vector<std::string> missingSettings(const ParamList& list, std::size_t modelRow) {
    std::vector<std::string> missing;
    const Row& row = list.row(modelRow);
    const catalogue::Block* block = settingsBlockOfRow(row);
    if (!block) return missing;
    const int position = *catalogue::settingsPosition(block->title);
    for (const catalogue::Setting& s :
         catalogue::settingsOf(block->title, wholeNumber(row.value()))) {
        const std::string id = std::to_string(s.id);
        const bool there = std::any_of(list.begin(), list.end(), [&](const Row& r) {
            return r.id() == id && atPosition(r, position);
        });
        if (!there) missing.emplace_back(s.label);
    }
    return missing;
}

std::vector<std::string> missingSettingsWarnings(const ParamList& list) {
    std::vector<std::string> warnings;
    for (std::size_t n = 1; n <= list.count(); ++n) {
        const Row& row = list.row(n);
        if (!settingsBlockOfRow(row) || std::any_of(row.marks.begin(), row.marks.end(),
                                                    [](Mark m) { return m == Mark::Conflict; }))
            continue;
        const std::vector<std::string> missing = missingSettings(list, n);
        if (missing.empty()) continue;
        std::string line =
            row.name() + " " + (row.setting().empty() ? row.value() : row.setting()) + ": no ";
        for (std::size_t k = 0; k < missing.size(); ++k)
            line += (k ? ", " : "") + missing[k];
        warnings.push_back(std::move(line));
    }
    return warnings;
}

std::size_t insertInPlace(ParamList& list, Row row) {
    const std::string& position = row.position();
    const double id = models::readLeadingNumber(row.id());
    std::size_t place = 0, lastOfPosition = 0;
    for (std::size_t n = 1; n <= list.count() && !place; ++n) {
        const Row& r = list.row(n);
        if (r.position() != position) continue;
        lastOfPosition = n;
        if (models::readLeadingNumber(r.id()) > id) place = n;
    }
    // After the Position's last row otherwise: its model row at least is there.
    if (!place) place = lastOfPosition + 1;
    std::vector<Row> one;
    one.push_back(std::move(row));
    list.insertAt(place, std::move(one));
    return place;
}

void applyBlock(ParamList& list, const BlockPlan& plan) {
    std::size_t n = 0;
    auto next = plan.dropped.begin();
    list.keepIf([&](const Row&) {
        ++n;
        if (next != plan.dropped.end() && *next == n) {
            ++next;
            return false;
        }
        return true;
    });
    for (const Row& row : plan.added)
        insertInPlace(list, row);
}

}  // namespace pw::filter
