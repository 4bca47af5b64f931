// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a file whole, step by step, through a writer that can be swapped: the
// system writer does the steps for real, tests hand the session one that fails a step.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pw::document {

struct IoResult {
    std::string error;  // the system's reason; empty on success
    bool ok() const { return error.empty(); }
};

// The steps of replacing a file whole.
class FileWriter {
  public:
    virtual ~FileWriter() = default;
    // Creates a new temporary file beside `target` holding `bytes`, and names it in
    // `temp` as soon as it exists (also when writing it then fails).
    virtual IoResult writeTemporary(const std::filesystem::path& target, std::string_view bytes,
                                    std::filesystem::path& temp) = 0;
    virtual IoResult syncFile(const std::filesystem::path& file) = 0;           // fsync
    virtual IoResult syncFileSystem(const std::filesystem::path& anyFile) = 0;  // syncfs
    virtual IoResult renameOver(const std::filesystem::path& temp,
                                const std::filesystem::path& target) = 0;
    virtual IoResult syncFolder(const std::filesystem::path& folder) = 0;
    virtual void removeTemporary(const std::filesystem::path& temp) = 0;
};

// The writer that works on the real file system. Its temporaries have no name where the
// file system allows (O_TMPFILE), so a process killed midway leaves nothing behind;
// elsewhere they are named kTemporaryPrefix, the process id, "-" and a random part.
FileWriter& systemFileWriter();

// The same writer as it works where the file system has no unnamed files: every
// temporary is named.
FileWriter& namedTemporaryFileWriter();

inline constexpr std::string_view kTemporaryPrefix = ".patchwright-";

// The folder a file at `target` is written into: its parent, "." for a bare name.
std::filesystem::path folderOf(const std::filesystem::path& target);

// Removes from `folder` the named temporaries of runs whose process is gone (never
// those of a live process); returns how many.
std::size_t removeDeadTemporaries(const std::filesystem::path& folder);

// One file: writeTemporary, syncFile, renameOver, syncFolder. The temporary is removed
// on any failure, so `target` is either replaced whole or left exactly as it was. Once
// the rename is done the file is replaced whole: a folder that cannot be synced then
// leaves only the rename's durability to the system and is not reported as a failure.
IoResult replaceFileWhole(FileWriter& writer, const std::filesystem::path& target,
                          std::string_view bytes);

}  // namespace pw::document
