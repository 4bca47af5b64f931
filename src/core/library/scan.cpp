// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/scan.h"

#include <algorithm>
#include <memory>
#include <utility>

#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include "library/archive_reader.h"
#include "library/preset_facts.h"
#include "library/query.h"
#include "library/thread_checks.h"

namespace fs = std::filesystem;

namespace pw::library {

namespace {

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

// One step of the pipeline: some presets to read (files by name, members with their bytes).
struct Item {
    Source source;
    bool fromArchive = false;
    bool ok = false;
    std::string bytes;
    std::string problem;
    std::string folder;
    std::int64_t fileSize = 0;
    std::int64_t fileModified = 0;
    std::optional<Preset> known = std::nullopt;  // taken as it is, not read
};

// A chunk goes from stage to stage as a plain pointer, made by the first stage and freed
// by the last: what the pipeline's library copies between its threads is then a word it
// copies itself, not a shared count it swaps inside a stage.
struct Chunk {
    std::vector<Item> items;
    std::vector<Preset> presets;
    std::vector<ScanProblem> problems;
    std::size_t unitsDone = 0;
    std::size_t skipped = 0;
    std::size_t archives = 0;
    std::size_t filtered = 0;
    std::size_t readable = 0;
    std::size_t recalled = 0;
};

constexpr std::size_t kChunkItems = 32;
constexpr std::size_t kChunkBytes = 4 * 1024 * 1024;

// Hands out the work in order: plain files by name, archives read member by member.
class Producer {
  public:
    Producer(const std::vector<InputFile>& units, KnownFiles* known)
        : units_(units), known_(known) {}

    bool fill(Chunk& chunk) {
        std::size_t bytes = 0;
        while (chunk.items.size() < kChunkItems && bytes < kChunkBytes) {
            if (archive_) {
                ArchiveMember member;
                if (archive_->next(member, [](std::string_view name, std::size_t) {
                        return isPresetMember(name);
                    })) {
                    bytes += member.bytes.size();
                    chunk.items.push_back(Item{Source{archivePath_, member.name, member.index},
                                               true, member.ok, std::move(member.bytes),
                                               std::move(member.problem), archiveFolder_,
                                               archiveSize_, archiveModified_});
                    continue;
                }
                chunk.skipped += archive_->skipped();
                addArchiveProblems(*archive_, archivePath_, chunk.problems);
                archive_.reset();
                ++chunk.unitsDone;
                continue;
            }
            if (next_ == units_.size()) break;
            const InputFile& unit = units_[next_++];
            if (std::optional<KnownFile> known = takeKnownAsIs(unit)) {
                for (Preset& preset : known->presets)
                    chunk.items.push_back(Item{{},
                                               unit.archive,
                                               true,
                                               {},
                                               {},
                                               unit.folder,
                                               unit.size,
                                               unit.modified,
                                               std::move(preset)});
                ++chunk.recalled;
                chunk.archives += unit.archive;
                ++chunk.unitsDone;
                continue;
            }
            if (unit.archive) {
                archive_ = std::make_unique<ArchiveReader>(fs::path(unit.path));
                archivePath_ = unit.path;
                archiveFolder_ = unit.folder;
                archiveSize_ = unit.size;
                archiveModified_ = unit.modified;
                ++chunk.archives;
                continue;
            }
            chunk.items.push_back(Item{Source{unit.path, {}, 0},
                                       false,
                                       false,
                                       {},
                                       {},
                                       unit.folder,
                                       unit.size,
                                       unit.modified});
            ++chunk.unitsDone;
        }
        return !chunk.items.empty() || !chunk.problems.empty() || chunk.unitsDone > 0 ||
               chunk.archives > 0;
    }

  private:
    // What an earlier scan found in `unit`, when the file is the same since: taken out
    // of what is known, so that it is held once while it goes down the pipeline.
    std::optional<KnownFile> takeKnownAsIs(const InputFile& unit) const {
        if (!known_) return std::nullopt;
        const auto it = known_->find(std::string_view(unit.path));
        if (it == known_->end() || it->second.size != unit.size ||
            it->second.modified != unit.modified)
            return std::nullopt;
        return std::move(known_->extract(it).mapped());
    }

    const std::vector<InputFile>& units_;
    KnownFiles* known_;
    std::size_t next_ = 0;
    std::unique_ptr<ArchiveReader> archive_;
    fs::path archivePath_;
    std::string archiveFolder_;
    std::int64_t archiveSize_ = 0;
    std::int64_t archiveModified_ = 0;
};

void readItem(Item& item, const ScanOptions& options, Chunk& chunk) {
    if (item.known) {
        Preset preset = std::move(*item.known);
        preset.folder = std::move(item.folder);
        preset.fileSize = item.fileSize;
        preset.fileModified = item.fileModified;
        if (!options.target) preset.triage.reset();
        chunk.readable += preset.readable;
        chunk.presets.push_back(std::move(preset));
        return;
    }
    if (!item.fromArchive) {
        SourceBytes read = readPresetFile(item.source.file);
        item.ok = read.ok;
        item.bytes = std::move(read.bytes);
        item.problem = std::move(read.problem);
    }
    Preset preset;
    preset.source = std::move(item.source);
    preset.folder = std::move(item.folder);
    preset.fileSize = item.fileSize;
    preset.fileModified = item.fileModified;
    document::ParseResult parsed;
    std::string sourceRoot;
    if (item.ok) {
        readFacts(item.bytes, preset, parsed, sourceRoot);
    } else {
        preset.readable = false;
        preset.readProblem = item.problem;
    }
    if (preset.readable) ++chunk.readable;
    if (options.query &&
        !matches(preset, *options.query, parsed.ok() ? &parsed.document : nullptr)) {
        ++chunk.filtered;
        return;
    }
    if (options.target) {
        if (item.ok) {
            preset.triage = triage(std::move(parsed), std::move(sourceRoot), *options.target,
                                   options.amp, presetStem(preset.source));
        } else {
            Triage t;
            t.status = Status::Unreadable;
            t.reason = preset.readProblem;
            preset.triage = std::move(t);
        }
    }
    if (options.keepBytes && item.ok) preset.bytes = std::move(item.bytes);
    chunk.presets.push_back(std::move(preset));
}

}  // namespace

ScanResult scan(const std::vector<fs::path>& inputs, const ScanOptions& options,
                const ScanCallbacks& callbacks, const std::atomic<bool>* cancel) {
    ScanResult result;
    InputList listed = listInputs(inputs, cancel);
    result.problems = std::move(listed.problems);
    result.counts.skipped = listed.skipped;
    result.counts.folders = listed.folders;
    result.counts.unreadableFolders = listed.unreadableFolders;
    ScanProgress progress;
    progress.filesTotal = listed.files.size();
    if (callbacks.progress) callbacks.progress(progress);

    // What is known is taken as it is: a query must look at the rows themselves.
    Producer producer(listed.files, options.query || !options.known || cancelled(cancel)
                                        ? nullptr
                                        : options.known());
    tbb::task_arena arena(options.threads == 0 ? tbb::task_arena::automatic
                                               : static_cast<int>(options.threads));
    const auto tokens = static_cast<std::size_t>(std::max(1, arena.max_concurrency())) * 4;
    pipelineStarts(&result);
    arena.execute([&] {
        tbb::parallel_pipeline(
            tokens,
            tbb::make_filter<void, Chunk*>(tbb::filter_mode::serial_in_order,
                                           checkedStage(&result,
                                                        [&](tbb::flow_control& fc) -> Chunk* {
                                                            auto chunk = std::make_unique<Chunk>();
                                                            if (cancelled(cancel) ||
                                                                !producer.fill(*chunk)) {
                                                                fc.stop();
                                                                return nullptr;
                                                            }
                                                            return chunk.release();
                                                        })) &
                tbb::make_filter<Chunk*, Chunk*>(
                    tbb::filter_mode::parallel,
                    checkedStage(&result,
                                 [&](Chunk* chunk) {
                                     chunk->presets.reserve(chunk->items.size());
                                     for (Item& item : chunk->items) {
                                         // A file left unread is not counted.
                                         if (cancelled(cancel))
                                             chunk->unitsDone -= !item.fromArchive;
                                         else
                                             readItem(item, options, *chunk);
                                     }
                                     chunk->items.clear();
                                     return chunk;
                                 })) &
                tbb::make_filter<Chunk*, void>(
                    tbb::filter_mode::serial_in_order, checkedStage(&result, [&](Chunk* given) {
                        const std::unique_ptr<Chunk> chunk(given);
                        ScanCounts& counts = result.counts;
                        counts.presets += chunk->presets.size();
                        counts.skipped += chunk->skipped;
                        counts.archives += chunk->archives;
                        counts.filtered += chunk->filtered;
                        counts.readable += chunk->readable;
                        counts.recalled += chunk->recalled;
                        for (ScanProblem& p : chunk->problems)
                            result.problems.push_back(std::move(p));
                        if (callbacks.batch && !chunk->presets.empty())
                            callbacks.batch(chunk->presets);
                        progress.filesDone += chunk->unitsDone;
                        progress.presets += chunk->presets.size();
                        if (callbacks.progress) callbacks.progress(progress);
                        if (options.collect)
                            std::move(chunk->presets.begin(), chunk->presets.end(),
                                      std::back_inserter(result.presets));
                    })));
    });
    pipelineDone(&result);
    result.cancelled = cancelled(cancel);
    result.filesRead = progress.filesDone;
    result.filesTotal = progress.filesTotal;
    return result;
}

}  // namespace pw::library
