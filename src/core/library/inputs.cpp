// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/inputs.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_set>
#include <utility>

#include "library/archive_reader.h"
#include "library/source.h"

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
        case ScanProblem::Kind::UnreadableFile:
            return "file cannot be read";
        case ScanProblem::Kind::UnsafeMember:
            return "member name points outside the archive";
        case ScanProblem::Kind::UnnamedMember:
            return "member name cannot be read";
    }
    return "";
}

bool isPresetMember(std::string_view name) {
    if (!isPresetName(name)) return false;
    const std::size_t slash = name.find_last_of('/');
    const std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    return base.substr(0, 2) != "._" && name.substr(0, 9) != "__MACOSX/" &&
           name.find("/__MACOSX/") == std::string_view::npos;
}

void addArchiveProblems(const ArchiveReader& reader, const fs::path& file,
                        std::vector<ScanProblem>& problems) {
    for (const std::size_t entry : reader.unnamed())
        problems.push_back(ScanProblem{ScanProblem::Kind::UnnamedMember, file,
                                       "entry " + std::to_string(entry + 1)});
    if (reader.problem().empty()) return;
    const ScanProblem::Kind kind = reader.unreadable() ? ScanProblem::Kind::UnreadableFile
                                   : reader.tooLarge() ? ScanProblem::Kind::ArchiveTooLarge
                                                       : ScanProblem::Kind::BrokenArchive;
    problems.push_back(ScanProblem{kind, file, reader.problem()});
}

namespace {

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

}  // namespace

class InputLister::Walker {
  public:
    Walker(InputList& list, const std::atomic<bool>* cancel) : list_(list), cancel_(cancel) {}

    void input(const fs::path& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            statFailed(path, errno, false);
            return;
        }
        if (S_ISDIR(st.st_mode)) {
            if (!visited_.insert(key(st)).second) return;
            std::vector<Key> ancestors{key(st)};
            folder(path.native(), "", ancestors);
        } else if (S_ISREG(st.st_mode) &&
                   (isPresetName(path.native()) || isArchiveName(path.native()))) {
            file(path.native(), st, !isPresetName(path.native()), "");
        } else {
            ++list_.skipped;
            problem(ScanProblem::Kind::NotAPreset, path,
                    S_ISREG(st.st_mode) ? "" : "it is not a regular file");
        }
    }

  private:
    using Key = std::pair<dev_t, ino_t>;
    static Key key(const struct stat& st) { return {st.st_dev, st.st_ino}; }

    void problem(ScanProblem::Kind kind, const fs::path& path, std::string detail) {
        list_.problems.push_back(ScanProblem{kind, path, std::move(detail)});
    }

    void unreadableFolder(const fs::path& dir, int error) {
        ++list_.unreadableFolders;
        problem(ScanProblem::Kind::UnreadableFolder, dir, std::strerror(error));
    }

    void file(const std::string& path, const struct stat& st, bool archive,
              const std::string& below) {
        if (!files_.insert(key(st)).second) return;  // the same file by another name
        list_.files.push_back(InputFile{
            path, archive, below, st.st_dev, st.st_ino, static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec});
    }

    // Why `path` could not be looked at; `listed` when a folder listing named it.
    void statFailed(const fs::path& path, int error, bool listed, bool dir = false) {
        struct stat link {};
        if (error == ELOOP)
            problem(ScanProblem::Kind::LinkLoop, path, std::strerror(error));
        else if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            problem(ScanProblem::Kind::BrokenLink, path, std::strerror(error));
        else if (!listed)
            problem(ScanProblem::Kind::Missing, path, std::strerror(error));
        else if (dir)
            unreadableFolder(path, error);
        else if (error == ENOENT)
            ++list_.skipped;  // gone since it was listed
        else                  // listed, but its folder may not be searched
            problem(ScanProblem::Kind::UnreadableFile, path, std::strerror(error));
    }

    // Lists `dir`, which is `below` (nothing for the input itself) below the input.
    void folder(const std::string& dir, const std::string& below, std::vector<Key>& ancestors) {
        if (cancelled(cancel_)) return;
        DIR* d = ::opendir(dir.c_str());
        if (!d) {
            unreadableFolder(dir, errno);
            return;
        }
        ++list_.folders;
        struct Entry {
            std::string name;
            unsigned char type;
            bool preset;
            bool archive;
            int error = 0;  // of the stat, when it failed
            struct stat st {};
        };
        std::vector<Entry> entries;
        while (const dirent* e = ::readdir(d)) {
            const std::string_view name = e->d_name;
            if (name == "." || name == "..") continue;
            const bool preset = isPresetName(name);
            entries.push_back(
                Entry{std::string(name), e->d_type, preset, !preset && isArchiveName(name)});
        }
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return a.name < b.name; });
        // Each entry is looked at through the open folder, so the kernel need not walk the
        // whole path again; the folder is closed before going down into the next.
        for (Entry& e : entries) {
            // A plain file needs no system call unless it may be read.
            if (e.type == DT_REG && !e.preset && !e.archive) continue;
            if (::fstatat(::dirfd(d), e.name.c_str(), &e.st, 0) != 0) e.error = errno;
        }
        ::closedir(d);

        for (const Entry& e : entries) {
            const std::string& name = e.name;
            const bool preset = e.preset;
            const bool archive = e.archive;
            if (e.type == DT_REG && !preset && !archive) {
                ++list_.skipped;
                continue;
            }
            const std::string path = dir.ends_with('/') ? dir + name : dir + '/' + name;
            if (e.error != 0) {
                statFailed(path, e.error, true, e.type == DT_DIR);
                continue;
            }
            const struct stat& st = e.st;
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
                file(path, st, archive, below);
            } else {
                ++list_.skipped;
            }
        }
    }

    InputList& list_;
    const std::atomic<bool>* cancel_;
    struct KeyHash {
        std::size_t operator()(const Key& k) const {
            return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(k.second) * 31 +
                                              static_cast<std::uint64_t>(k.first));
        }
    };
    std::unordered_set<Key, KeyHash> visited_;
    std::unordered_set<Key, KeyHash> files_;
};

InputLister::InputLister(const std::atomic<bool>* cancel)
    : walker_(std::make_unique<Walker>(list_, cancel)) {}

InputLister::~InputLister() = default;

void InputLister::add(const fs::path& input) {
    walker_->input(input);
}

InputList listInputs(const std::vector<fs::path>& inputs, const std::atomic<bool>* cancel) {
    InputLister lister(cancel);
    for (const fs::path& input : inputs) {
        if (cancelled(cancel)) break;
        lister.add(input);
    }
    return std::move(lister.list());
}

}  // namespace pw::library
