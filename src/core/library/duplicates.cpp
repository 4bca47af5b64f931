// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/duplicates.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>

#include "library/archive_reader.h"
#include "library/preset_facts.h"

namespace pw::library {

namespace {

std::optional<std::string> rowsOf(std::string_view bytes) {
    const document::ParseResult parsed = document::parsePreset(bytes);
    if (!parsed.ok()) return std::nullopt;
    return rowsText(parsed.document);
}

// Hands the rows of each candidate to `take`, from its kept bytes or read again; each
// archive is read once for all its candidates. A candidate that cannot be read again
// is left out.
void forEachCandidateRows(std::span<const Preset> presets,
                          const std::vector<std::size_t>& candidates,
                          const std::function<void(std::size_t, std::string)>& take) {
    std::map<std::filesystem::path, std::map<std::size_t, std::size_t>> members;
    for (const std::size_t i : candidates) {
        const Preset& preset = presets[i];
        std::optional<std::string> rows;
        if (!preset.bytes.empty()) {
            rows = rowsOf(preset.bytes);
        } else if (preset.source.inArchive()) {
            members[preset.source.file][preset.source.memberIndex] = i;
            continue;
        } else if (const SourceBytes read = readSource(preset.source); read.ok) {
            rows = rowsOf(read.bytes);
        }
        if (rows) take(i, std::move(*rows));
    }
    for (const auto& archive : members) {
        const std::map<std::size_t, std::size_t>& wanted = archive.second;
        ArchiveReader reader(archive.first);
        ArchiveMember member;
        const auto want = [&](std::string_view, std::size_t index) {
            return wanted.count(index) > 0;
        };
        while (reader.next(member, want)) {
            if (!member.ok) continue;
            if (std::optional<std::string> rows = rowsOf(member.bytes))
                take(wanted.at(member.index), std::move(*rows));
        }
    }
}

}  // namespace

std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const Preset> presets) {
    std::vector<std::optional<std::size_t>> groups(presets.size());
    std::unordered_map<std::uint64_t, std::size_t> keyCount;
    for (const Preset& p : presets)
        if (p.readable) ++keyCount[p.rowsKey];
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (presets[i].readable && keyCount[presets[i].rowsKey] > 1) candidates.push_back(i);
    if (candidates.empty()) return groups;

    // Equal keys are confirmed on the rows themselves. Only one text is kept per set of
    // equal rows, so memory grows with the sets, not with the presets.
    struct Twins {
        std::string rows;
        std::vector<std::size_t> members;
    };
    std::vector<Twins> sets;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> setsByKey;
    forEachCandidateRows(presets, candidates, [&](std::size_t i, std::string rows) {
        std::vector<std::size_t>& ofKey = setsByKey[presets[i].rowsKey];
        for (const std::size_t s : ofKey) {
            if (sets[s].rows == rows) {
                sets[s].members.push_back(i);
                return;
            }
        }
        ofKey.push_back(sets.size());
        sets.push_back(Twins{std::move(rows), {i}});
    });

    // Groups are numbered in the order of their first presets.
    std::vector<std::vector<std::size_t>> twins;
    for (Twins& set : sets) {
        if (set.members.size() < 2) continue;
        std::sort(set.members.begin(), set.members.end());
        twins.push_back(std::move(set.members));
    }
    std::sort(twins.begin(), twins.end());
    for (std::size_t g = 0; g < twins.size(); ++g)
        for (const std::size_t i : twins[g])
            groups[i] = g + 1;
    return groups;
}

}  // namespace pw::library
