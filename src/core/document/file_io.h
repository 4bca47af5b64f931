// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading whole files.

#include <cstddef>
#include <filesystem>
#include <string>

namespace pw::document {

struct ReadResult {
    bool exists = false;    // false: no such file, or it could not be opened
    bool complete = false;  // the whole length was read
    std::string bytes;
    std::string error;
};

// Files larger than this are not read: no preset comes anywhere near it.
inline constexpr std::uintmax_t kMaxPresetBytes = 256ull * 1024 * 1024;

ReadResult readWholeFile(const std::filesystem::path& path);

}  // namespace pw::document
