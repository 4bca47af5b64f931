// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading whole files.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace pw::document {

struct ReadResult {
    bool exists = false;    // false: no such file, or it could not be opened
    bool complete = false;  // the whole length was read
    bool tooLarge = false;  // larger than it may be: not read
    std::string bytes;      // the whole file; nothing unless complete
    std::string error;
};

// Files larger than this are not read: no preset comes anywhere near it.
inline constexpr std::uintmax_t kMaxPresetBytes = 256ull * 1024 * 1024;

// Reads a regular file whole, when it is at most `maxBytes` long.
ReadResult readWholeFile(const std::filesystem::path& path,
                         std::uint64_t maxBytes = kMaxPresetBytes);

// Opens `path` for reading only when it is a regular file: a pipe, a device or a folder
// is never opened (opening some has effects of its own). Returns the descriptor and its
// size in bytes when it opened (`size`, when given), or -1 with `error` set.
int openRegularFile(const std::filesystem::path& path, std::string& error,
                    std::uint64_t* size = nullptr);

}  // namespace pw::document
