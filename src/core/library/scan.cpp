// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <utility>

#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include "library/archive_reader.h"
#include "library/preset_facts.h"
#include "library/query.h"
#include "library/thread_checks.h"

namespace fs = std::filesystem;

namespace pw::library {

std::string_view problemWord(ScanProblem::Kind kind) {
    switch (kind) {
        case ScanProblem::Kind::Missing:
            return "no such file or folder";
        case ScanProblem::Kind::UnreadableFolder:
            return "folder cannot be read";
        case ScanProblem::Kind::LinkLoop:
            return "symbolic link loop";
        case ScanProblem::Kind::BrokenLink:
            return "broken symbolic link";
        case ScanProblem::Kind::BrokenArchive:
            return "broken archive";
        case ScanProblem::Kind::ArchiveTooLarge:
            return "archive too large";
        case ScanProblem::Kind::NotAPreset:
            return "neither a preset nor an archive";
    }
    return "";
}

namespace {

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

// Members a library reads: preset names, but not the resource forks some packers add
// beside every file ("__MACOSX/._clean.rp250p").
bool isPresetMember(std::string_view name) {
    if (!isPresetName(name)) return false;
    const std::size_t slash = name.find_last_of('/');
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    return base.substr(0, 2) != "._" && name.substr(0, 9) != "__MACOSX/" &&
           name.find("/__MACOSX/") == std::string_view::npos;
}

struct Unit {
    fs::path path;
    bool archive = false;
    std::string folder;  // the folders below the input, "Metal/Leads"
};

// Lists the inputs into the files to read, in a stable order: inputs as given, the
// entries of each folder by name. Every folder is listed once at most, whichever links
// lead to it, and a link back into a folder being listed is reported, not followed.
class Walker {
  public:
    Walker(ScanResult& result, const std::atomic<bool>* cancel)
        : result_(result), cancel_(cancel) {}

    void input(const fs::path& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            const int error = errno;
            struct stat link {};
            if (error == ELOOP)
                problem(ScanProblem::Kind::LinkLoop, path, std::strerror(error));
            else if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
                problem(ScanProblem::Kind::BrokenLink, path, std::strerror(error));
            else
                problem(ScanProblem::Kind::Missing, path, std::strerror(error));
            return;
        }
        if (S_ISDIR(st.st_mode)) {
            if (!visited_.insert(key(st)).second) return;
            std::vector<Key> ancestors{key(st)};
            folder(path, "", ancestors);
        } else if (S_ISREG(st.st_mode) &&
                   (isPresetName(path.native()) || isArchiveName(path.native()))) {
            units.push_back(Unit{path, !isPresetName(path.native()), {}});
        } else {
            ++result_.counts.skipped;
            problem(ScanProblem::Kind::NotAPreset, path, "");
        }
    }

    std::vector<Unit> units;

  private:
    using Key = std::pair<dev_t, ino_t>;
    static Key key(const struct stat& st) { return {st.st_dev, st.st_ino}; }

    void problem(ScanProblem::Kind kind, const fs::path& path, std::string detail) {
        result_.problems.push_back(ScanProblem{kind, path, std::move(detail)});
    }

    void unreadableFolder(const fs::path& dir, int error) {
        ++result_.counts.unreadableFolders;
        problem(ScanProblem::Kind::UnreadableFolder, dir, std::strerror(error));
    }

    // Lists `dir`, which is `below` (nothing for the input itself) below the input.
    void folder(const fs::path& dir, const std::string& below, std::vector<Key>& ancestors) {
        if (cancelled(cancel_)) return;
        DIR* d = ::opendir(dir.c_str());
        if (!d) {
            unreadableFolder(dir, errno);
            return;
        }
        ++result_.counts.folders;
        std::vector<std::pair<std::string, unsigned char>> entries;
        while (const dirent* e = ::readdir(d)) {
            const std::string_view name = e->d_name;
            if (name == "." || name == "..") continue;
            entries.emplace_back(name, e->d_type);
        }
        ::closedir(d);
        std::sort(entries.begin(), entries.end());

        for (const auto& [name, type] : entries) {
            const fs::path path = dir / name;
            const bool preset = isPresetName(name);
            const bool archive = !preset && isArchiveName(name);
            // A plain file needs no system call unless it may be read.
            if (type == DT_REG) {
                if (preset || archive)
                    units.push_back(Unit{path, archive, below});
                else
                    ++result_.counts.skipped;
                continue;
            }
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0) {
                const int error = errno;
                struct stat link {};
                if (error == ELOOP)
                    problem(ScanProblem::Kind::LinkLoop, path, std::strerror(error));
                else if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
                    problem(ScanProblem::Kind::BrokenLink, path, std::strerror(error));
                else if (type == DT_DIR)
                    unreadableFolder(path, error);
                else
                    ++result_.counts.skipped;  // gone since it was listed
                continue;
            }
            if (S_ISDIR(st.st_mode)) {
                const Key k = key(st);
                if (std::find(ancestors.begin(), ancestors.end(), k) != ancestors.end()) {
                    problem(ScanProblem::Kind::LinkLoop, path,
                            "it leads back into a folder it is in");
                    continue;
                }
                if (!visited_.insert(k).second) continue;  // listed once already
                ancestors.push_back(k);
                folder(path, below.empty() ? name : below + '/' + name, ancestors);
                ancestors.pop_back();
            } else if (S_ISREG(st.st_mode) && (preset || archive)) {
                units.push_back(Unit{path, archive, below});
            } else {
                ++result_.counts.skipped;
            }
        }
    }

    ScanResult& result_;
    const std::atomic<bool>* cancel_;
    std::set<Key> visited_;
};

// One step of the pipeline: some presets to read (files by name, members with their bytes).
struct Item {
    Source source;
    bool fromArchive = false;
    bool ok = false;
    std::string bytes;
    std::string problem;
    std::string folder;
};

struct Chunk {
    std::vector<Item> items;
    std::vector<Preset> presets;
    std::vector<ScanProblem> problems;
    std::size_t unitsDone = 0;
    std::size_t skipped = 0;
    std::size_t archives = 0;
    std::size_t filtered = 0;
    std::size_t readable = 0;
};

constexpr std::size_t kChunkItems = 32;
constexpr std::size_t kChunkBytes = 4 * 1024 * 1024;

// Hands out the work in order: plain files by name, archives read member by member.
class Producer {
  public:
    explicit Producer(const std::vector<Unit>& units) : units_(units) {}

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
                                               std::move(member.problem), archiveFolder_});
                    continue;
                }
                chunk.skipped += archive_->skipped();
                if (!archive_->problem().empty())
                    chunk.problems.push_back(ScanProblem{archive_->tooLarge()
                                                             ? ScanProblem::Kind::ArchiveTooLarge
                                                             : ScanProblem::Kind::BrokenArchive,
                                                         archivePath_, archive_->problem()});
                archive_.reset();
                ++chunk.unitsDone;
                continue;
            }
            if (next_ == units_.size()) break;
            const Unit& unit = units_[next_++];
            if (unit.archive) {
                archive_ = std::make_unique<ArchiveReader>(unit.path);
                archivePath_ = unit.path;
                archiveFolder_ = unit.folder;
                ++chunk.archives;
                continue;
            }
            chunk.items.push_back(
                Item{Source{unit.path, {}, 0}, false, false, {}, {}, unit.folder});
            ++chunk.unitsDone;
        }
        return !chunk.items.empty() || !chunk.problems.empty() || chunk.unitsDone > 0 ||
               chunk.archives > 0;
    }

  private:
    const std::vector<Unit>& units_;
    std::size_t next_ = 0;
    std::unique_ptr<ArchiveReader> archive_;
    fs::path archivePath_;
    std::string archiveFolder_;
};

void readItem(Item& item, const ScanOptions& options, Chunk& chunk) {
    if (!item.fromArchive) {
        SourceBytes read = readPresetFile(item.source.file);
        item.ok = read.ok;
        item.bytes = std::move(read.bytes);
        item.problem = std::move(read.problem);
    }
    Preset preset;
    preset.source = std::move(item.source);
    preset.folder = std::move(item.folder);
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
            preset.triage =
                triage(std::move(parsed), std::move(sourceRoot), *options.target, options.amp);
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
    Walker walker(result, cancel);
    for (const fs::path& input : inputs) {
        if (cancelled(cancel)) break;
        walker.input(input);
    }
    ScanProgress progress;
    progress.filesTotal = walker.units.size();
    if (callbacks.progress) callbacks.progress(progress);

    Producer producer(walker.units);
    tbb::task_arena arena(options.threads == 0 ? tbb::task_arena::automatic
                                               : static_cast<int>(options.threads));
    const auto tokens = static_cast<std::size_t>(std::max(1, arena.max_concurrency())) * 4;
    pipelineStarts(&result);
    arena.execute([&] {
        tbb::parallel_pipeline(
            tokens, tbb::make_filter<void, std::shared_ptr<Chunk>>(
                        tbb::filter_mode::serial_in_order,
                        checkedStage(&result,
                                     [&](tbb::flow_control& fc) -> std::shared_ptr<Chunk> {
                                         auto chunk = std::make_shared<Chunk>();
                                         if (cancelled(cancel) || !producer.fill(*chunk)) {
                                             fc.stop();
                                             return nullptr;
                                         }
                                         return chunk;
                                     })) &
                        tbb::make_filter<std::shared_ptr<Chunk>, std::shared_ptr<Chunk>>(
                            tbb::filter_mode::parallel,
                            checkedStage(&result,
                                         [&](std::shared_ptr<Chunk> chunk) {
                                             chunk->presets.reserve(chunk->items.size());
                                             for (Item& item : chunk->items) {
                                                 if (cancelled(cancel)) break;
                                                 readItem(item, options, *chunk);
                                             }
                                             chunk->items.clear();
                                             return chunk;
                                         })) &
                        tbb::make_filter<std::shared_ptr<Chunk>, void>(
                            tbb::filter_mode::serial_in_order,
                            checkedStage(&result, [&](std::shared_ptr<Chunk> chunk) {
                                ScanCounts& counts = result.counts;
                                counts.presets += chunk->presets.size();
                                counts.skipped += chunk->skipped;
                                counts.archives += chunk->archives;
                                counts.filtered += chunk->filtered;
                                counts.readable += chunk->readable;
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
    return result;
}

}  // namespace pw::library
