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

// What one task reads: a preset file, or the presets of one pack.
struct Unit {
    std::vector<std::size_t> presets;
    bool archive = false;
};

void readPack(std::span<const std::shared_ptr<const Preset>> presets, const Unit& unit,
              const std::atomic<bool>& cancel,
              const std::function<void(std::size_t, SourceBytes&)>& take) {
    std::unordered_map<std::size_t, std::vector<std::size_t>> byMember;
    for (std::size_t i : unit.presets)
        byMember[presets[i]->source.memberIndex].push_back(i);
    std::unordered_set<std::size_t> given;
    ArchiveReader reader(std::filesystem::path(presets[unit.presets.front()]->source.file));
    ArchiveMember member;
    std::size_t left = unit.presets.size();
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
    for (std::size_t i : unit.presets) {
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
            units.push_back(Unit{{i}, false});
            continue;
        }
        const auto [at, added] = packs.emplace(source.file, units.size());
        if (added) units.push_back(Unit{{}, true});
        units[at->second].presets.push_back(i);
    }
    onEveryCore(units.size(), cancel, [&](std::size_t u) {
        if (units[u].archive) {
            readPack(presets, units[u], cancel, take);
            return;
        }
        const std::size_t i = units[u].presets.front();
        SourceBytes read = readSource(presets[i]->source);
        take(i, read);
    });
}

}  // namespace pw::library
