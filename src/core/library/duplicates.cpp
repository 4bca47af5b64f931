// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/duplicates.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "library/archive_reader.h"
#include "library/preset_facts.h"

namespace pw::library {

namespace {

// The rows of each candidate, from its kept bytes or read again; archives are read once
// for all their candidates. A preset that cannot be read again gets no rows (nullopt).
std::vector<std::optional<std::string>> candidateRows(std::span<const Preset> presets,
                                                      const std::vector<std::size_t>& candidates) {
    std::vector<std::optional<std::string>> rows(candidates.size());
    const auto fromBytes = [](std::string_view bytes) -> std::optional<std::string> {
        const document::ParseResult parsed = document::parsePreset(bytes);
        if (!parsed.ok()) return std::nullopt;
        return rowsText(parsed.document);
    };
    // Members to read, by archive: entry number -> place in `rows`.
    std::map<std::filesystem::path, std::map<std::size_t, std::size_t>> members;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Preset& preset = presets[candidates[i]];
        if (!preset.bytes.empty()) {
            rows[i] = fromBytes(preset.bytes);
        } else if (preset.source.inArchive()) {
            members[preset.source.file][preset.source.memberIndex] = i;
        } else {
            const SourceBytes read = readSource(preset.source);
            if (read.ok) rows[i] = fromBytes(read.bytes);
        }
    }
    for (const auto& [file, wanted] : members) {
        ArchiveReader reader(file);
        ArchiveMember member;
        const auto want = [&](std::string_view, std::size_t index) {
            return wanted.count(index) > 0;
        };
        while (reader.next(member, want))
            if (member.ok) rows[wanted.at(member.index)] = fromBytes(member.bytes);
    }
    return rows;
}

}  // namespace

std::vector<std::optional<std::size_t>> duplicateGroups(std::span<const Preset> presets) {
    std::vector<std::optional<std::size_t>> groups(presets.size());
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byKey;
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (presets[i].readable) byKey[presets[i].rowsKey].push_back(i);

    std::vector<std::size_t> candidates;
    for (const auto& [key, members] : byKey)
        if (members.size() > 1) candidates.insert(candidates.end(), members.begin(), members.end());
    if (candidates.empty()) return groups;
    std::sort(candidates.begin(), candidates.end());
    const std::vector<std::optional<std::string>> rows = candidateRows(presets, candidates);

    // Equal rows, confirmed: the first preset of each set of twins names the group.
    std::map<std::pair<std::uint64_t, std::string_view>, std::vector<std::size_t>> twins;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (rows[i]) twins[{presets[candidates[i]].rowsKey, *rows[i]}].push_back(candidates[i]);
    std::vector<std::vector<std::size_t>> sets;
    for (auto& [key, members] : twins)
        if (members.size() > 1) sets.push_back(std::move(members));
    std::sort(sets.begin(), sets.end());  // by the first preset of each
    for (std::size_t g = 0; g < sets.size(); ++g)
        for (const std::size_t i : sets[g])
            groups[i] = g + 1;
    return groups;
}

}  // namespace pw::library
