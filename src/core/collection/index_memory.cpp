// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/index_memory.h"

#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "catalogue/effect_catalogue.h"
#include "collection/collection_store.h"

namespace pw::collection {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUsesSeparator = "; ";

// The catalogue's own text of each model name, which a preset's `uses` point into.
std::optional<std::string_view> catalogueName(std::string_view name) {
    static const std::unordered_map<std::string_view, std::string_view> names = [] {
        std::unordered_map<std::string_view, std::string_view> all;
        for (const catalogue::Block& block : catalogue::blocks())
            for (const catalogue::Entry& entry : block.entries)
                all.emplace(entry.name, entry.name);
        return all;
    }();
    const auto it = names.find(name);
    if (it == names.end()) return std::nullopt;
    return it->second;
}

// The models named in `text`; none when one is not in this catalogue.
std::optional<std::vector<std::string_view>> usesOf(std::string_view text) {
    std::vector<std::string_view> uses;
    while (!text.empty()) {
        const std::size_t end = text.find(kUsesSeparator);
        const std::optional<std::string_view> name = catalogueName(text.substr(0, end));
        if (!name) return std::nullopt;
        uses.push_back(*name);
        text = end == std::string_view::npos ? std::string_view()
                                             : text.substr(end + kUsesSeparator.size());
    }
    return uses;
}

std::string usesText(const std::vector<std::string_view>& uses) {
    std::string text;
    for (const std::string_view name : uses) {
        if (!text.empty()) text += kUsesSeparator;
        text += name;
    }
    return text;
}

// Which of `inputs` a file was listed under: the input itself, or a folder above it.
std::optional<std::size_t> inputOf(const std::string& file, const std::vector<fs::path>& inputs) {
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string& input = inputs[i].native();
        if (file == input ||
            (file.starts_with(input) && (input.ends_with('/') || file[input.size()] == '/')))
            return i;
    }
    return std::nullopt;
}

}  // namespace

library::KnownFiles IndexMemory::recall(const std::vector<fs::path>& inputs,
                                        const library::TriageSettings& settings) {
    library::KnownFiles known;
    Store store;
    if (!settings.target || !store.open(path_).ok()) return known;
    // The index gives each file's presets one after the other. A file is known whole or
    // not at all: one preset it cannot vouch for spoils the file.
    struct File {
        std::string path;
        library::KnownFile known;
        bool spoilt = false;
    };
    std::vector<File> files;
    for (const fs::path& input : inputs) {
        store.index(input, [&](IndexedPreset& p) {
            const std::string& path = p.preset.source.file;
            if (files.empty() || files.back().path != path)
                files.push_back({path, {p.preset.fileSize, p.preset.fileModified, {}}});
            File& file = files.back();
            std::optional<std::vector<std::string_view>> uses = usesOf(p.uses);
            if (!file.spoilt && uses && p.target == settings.target->caption &&
                p.amp == settings.amp) {
                p.preset.uses = std::move(*uses);
                p.preset.triage = std::move(p.triage);
                file.known.presets.push_back(std::move(p.preset));
            } else {
                file.spoilt = true;
            }
        });
    }
    // Made at its final size: growing it a rehash at a time costs more than reading it.
    known.reserve(files.size());
    for (File& file : files)
        if (!file.spoilt) known.try_emplace(std::move(file.path), std::move(file.known));
    return known;
}

void IndexMemory::remember(const std::vector<fs::path>& inputs,
                           const library::TriageSettings& settings,
                           std::span<const library::PresetPtr> presets,
                           std::span<const library::Triage> triages,
                           std::span<const library::ScanProblem> problems) {
    if (!settings.target || presets.size() != triages.size()) return;
    // Only a file read whole is remembered: one with a problem, or a preset that could
    // not be read, is read again next time.
    std::set<std::string> untrusted;
    for (const library::ScanProblem& problem : problems)
        untrusted.insert(problem.path.string());
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (!presets[i]->readable || triages[i].status == library::Status::Unreadable)
            untrusted.insert(presets[i]->source.file);

    // Written from the presets as they are held, without a copy of each.
    const std::string_view target = settings.target->caption;
    std::vector<std::string> uses(presets.size());
    std::vector<std::vector<IndexedView>> byInput(inputs.size());
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const std::string& file = presets[i]->source.file;
        const std::optional<std::size_t> input = inputOf(file, inputs);
        if (!input || untrusted.contains(file)) continue;
        uses[i] = usesText(presets[i]->uses);
        byInput[*input].push_back({presets[i].get(), uses[i], &triages[i], target, settings.amp});
    }
    Store store;
    if (!store.open(path_).ok()) return;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        store.replaceIndex(inputs[i], byInput[i]);
}

}  // namespace pw::collection
