// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a preset of the library lives: a file of its own, or a member of an archive
// (a .zip, .7z, .tar.* pack). Members are read in memory and never extracted.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace pw::library {

struct Source {
    // The preset file, or the archive holding it. Its path's text: a path object would
    // keep each of its components too, for every preset held.
    std::string file;
    std::string member;           // the member's name inside the archive; "" outside one
    std::size_t memberIndex = 0;  // the member's entry number in the archive, from 0
                                  // (names may repeat inside one archive)
    bool inArchive() const { return !member.empty(); }
    bool operator==(const Source&) const = default;
};

// "presets/clean.rp250p", or "packs/blues.zip:Blues/slow.rp355p" for a member.
std::string displayName(const Source& source);

// The last part of the source's name: the file name, or the member's own name.
std::string_view baseName(const Source& source);
// The file's own name: "blues.zip" for a member of that pack.
std::string_view fileName(const Source& source);

// The source's own name without its preset extension ("slow" for "Blues/slow.rp355p").
std::string presetStem(const Source& source);

// Whether the name ends in one of the eleven preset extensions (letter case ignored).
bool isPresetName(std::string_view name);
// Whether the name ends like an archive the library opens (.zip, .7z, .tar, .tar.gz, ...).
bool isArchiveName(std::string_view name);

// Limits on archives: a member that expands past kMaxMemberBytes is not read, and an
// archive is read no further once kMaxArchiveBytes have come out of it in all.
inline constexpr std::uint64_t kMaxMemberBytes = 16ull * 1024 * 1024;
inline constexpr std::uint64_t kMaxArchiveBytes = 1024ull * 1024 * 1024;

struct SourceBytes {
    bool ok = false;
    std::string bytes;    // the whole file or member
    std::string problem;  // why it could not be read, when !ok
};

// Reads one preset file or one archive member whole, in memory; neither may be larger
// than kMaxMemberBytes.
SourceBytes readSource(const Source& source);
// The same for a file of its own.
SourceBytes readPresetFile(const std::filesystem::path& file);

}  // namespace pw::library
