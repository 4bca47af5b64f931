// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the inputs of a scan or a conversion stand for: the preset files and packs to
// read, in a stable order, and the problems met on the way. Scan and convert list their
// inputs here, so that both read the same files.

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pw::library {

class ArchiveReader;

// Something met that is not a preset: each is a line of the report.
struct ScanProblem {
    enum class Kind {
        Missing,           // an input that does not exist
        UnreadableFolder,  // a folder that cannot be listed
        LinkLoop,          // a symbolic link back into a folder already being scanned
        BrokenLink,        // a symbolic link to nothing
        BrokenArchive,     // an archive that cannot be read (to its end)
        ArchiveTooLarge,   // an archive that expands past kMaxArchiveBytes
        NotAPreset,        // an input named explicitly that is neither preset nor archive
        UnreadableFile,    // a file that cannot be opened (no permission, ...)
        UnsafeMember,      // a member of a pack whose name points outside the pack
        UnnamedMember,     // a member of a pack whose name cannot be read
    };
    Kind kind;
    std::filesystem::path path;
    std::string detail;
};

// "no such file or folder", "cannot be listed", ... : the kind of a problem in words.
std::string_view problemWord(ScanProblem::Kind kind);

// A file to read: a preset, or a pack read member by member.
struct InputFile {
    std::string path;  // its text: a path object would keep a list of its components too
    bool archive = false;
    std::string folder;  // the folders between the input and the file, "Metal/Leads"
    dev_t device = 0;    // the file's identity: one file is read once, however it is named
    ino_t inode = 0;
    std::int64_t size = 0;      // as the listing found it
    std::int64_t modified = 0;  // nanoseconds since the epoch
};

struct InputList {
    std::vector<InputFile> files;
    std::vector<ScanProblem> problems;
    std::size_t skipped = 0;  // files without a preset or pack name
    std::size_t folders = 0;  // folders listed
    std::size_t unreadableFolders = 0;
};

// Lists inputs one after the other: a file as given, the entries of a folder by name,
// all the way down. Links are followed; every folder and every file is taken once at
// most, whichever names lead to it, and a link back into a folder being listed is
// reported, not followed. Nothing but regular files and folders is ever opened.
// `cancel` (may be null) stops the listing.
class InputLister {
  public:
    explicit InputLister(const std::atomic<bool>* cancel = nullptr);
    ~InputLister();
    InputLister(const InputLister&) = delete;
    InputLister& operator=(const InputLister&) = delete;

    void add(const std::filesystem::path& input);
    InputList& list() { return list_; }

  private:
    class Walker;
    InputList list_;
    std::unique_ptr<Walker> walker_;
};

// Every input listed, in order.
InputList listInputs(const std::vector<std::filesystem::path>& inputs,
                     const std::atomic<bool>* cancel = nullptr);

// Members a library reads: preset names, but not the resource forks some packers add
// beside every file ("__MACOSX/._clean.rp250p").
bool isPresetMember(std::string_view name);

// What was wrong with an archive once its reader stopped: members without a name, then
// the archive itself.
void addArchiveProblems(const ArchiveReader& reader, const std::filesystem::path& file,
                        std::vector<ScanProblem>& problems);

}  // namespace pw::library
