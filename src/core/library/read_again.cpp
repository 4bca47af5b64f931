// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/read_again.h"

#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "library/archive_reader.h"
#include "library/every_core.h"

namespace pw::library {
namespace {

// What one task reads, by the presets' places: a preset file, or the presets of one pack.
using Unit = std::vector<std::size_t>;

void readPack(std::span<const std::shared_ptr<const Preset>> presets, const Unit& unit,
              const std::atomic<bool>& cancel,
              const std::function<void(std::size_t, SourceBytes&)>& take) {
    std::unordered_map<std::size_t, std::vector<std::size_t>> byMember;
    for (std::size_t i : unit)
        byMember[presets[i]->source.memberIndex].push_back(i);
    std::unordered_set<std::size_t> given;
    ArchiveReader reader(std::filesystem::path(presets[unit.front()]->source.file));
    ArchiveMember member;
    std::size_t left = unit.size();
    const auto wanted = [&](std::string_view, std::size_t index) {
        return byMember.contains(index);
    };
    while (left > 0 && !cancel && reader.next(member, wanted)) {
        for (std::size_t i : byMember[member.index]) {
            if (presets[i]->source.member != member.name) continue;
            SourceBytes read{member.ok, member.bytes, member.problem};
            take(i, read);
            given.insert(i);
            --left;
        }
    }
    if (cancel) return;
    for (std::size_t i : unit) {
        if (given.contains(i)) continue;
        SourceBytes gone;
        gone.problem =
            reader.problem().empty() ? "the archive no longer holds this member" : reader.problem();
        take(i, gone);
    }
}

}  // namespace

void readAgain(std::span<const std::shared_ptr<const Preset>> presets,
               const std::atomic<bool>& cancel,
               const std::function<void(std::size_t, SourceBytes&)>& take) {
    std::vector<Unit> units;
    std::map<std::filesystem::path, std::size_t> packs;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const Source& source = presets[i]->source;
        if (!source.inArchive()) {
            units.push_back({i});
            continue;
        }
        const auto [at, added] = packs.emplace(source.file, units.size());
        if (added) units.emplace_back();
        units[at->second].push_back(i);
    }
    onEveryCore(units.size(), cancel, [&](std::size_t u) {
        const std::size_t first = units[u].front();
        if (presets[first]->source.inArchive()) {
            readPack(presets, units[u], cancel, take);
            return;
        }
        SourceBytes read = readSource(presets[first]->source);
        take(first, read);
    });
}

}  // namespace pw::library
