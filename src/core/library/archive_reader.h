// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the members of an archive one after the other, in memory, through libarchive,
// within the library's limits. Nothing is ever extracted.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct archive;

namespace pw::library {

// The kind of archive a name announces; a file is read as that kind only.
enum class ArchiveFormat { Zip, SevenZip, Rar, Tar, Cpio, Iso, Cab, Lha, Xar };
std::optional<ArchiveFormat> archiveFormatOf(std::string_view name);

struct ArchiveMember {
    std::string name;
    std::size_t index = 0;  // entry number, from 0, over every entry (folders too)
    bool ok = false;        // the bytes were read whole
    std::string bytes;
    std::string problem;  // why the member could not be read, when !ok
};

class ArchiveReader {
  public:
    // Opens the archive file, read as the kind its name announces (only a regular file is
    // opened). Member names come out in UTF-8 whatever the locale.
    explicit ArchiveReader(const std::filesystem::path& file);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Moves to the next regular-file member that `wanted` accepts (by name and entry
    // number) and reads it; members it refuses, links and devices are passed over and
    // counted in skipped().
    // Returns false at the end, when the archive is broken, or past the size limit.
    bool next(ArchiveMember& member,
              const std::function<bool(std::string_view name, std::size_t index)>& wanted);

    bool broken() const { return !problem_.empty() && !tooLarge_ && !unreadable_; }
    bool unreadable() const { return unreadable_; }  // the file could not be opened
    bool tooLarge() const { return tooLarge_; }
    const std::string& problem() const { return problem_; }  // "" while all is well
    std::size_t skipped() const { return skipped_; }
    // The entry numbers of the members passed over because no name could be read.
    const std::vector<std::size_t>& unnamed() const { return unnamed_; }

  private:
    void open(int result);
    bool charge(std::uint64_t bytes);  // counts expanded bytes; false past the limit
    // Passes over the rest of a member: skipped when its size was counted from its header
    // (`declared`), else read to its end, counting what comes out. Trouble sets problem_.
    void passOver(bool bySize, std::uint64_t declared);
    void drain();

    struct archive* a_ = nullptr;
    int fd_ = -1;
    bool opened_ = false;
    bool unreadable_ = false;
    bool tooLarge_ = false;
    std::string problem_;
    std::size_t index_ = 0;
    std::size_t skipped_ = 0;
    std::vector<std::size_t> unnamed_;
    std::uint64_t expanded_ = 0;
};

// Whether a member name points outside the archive ("/etc/x", "../x", "a/../../x"; not
// "a/../x").
bool leavesArchive(std::string_view memberName);

}  // namespace pw::library
