#pragma once
// Reading whole files and replacing files whole.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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

// Writes `bytes` to a temporary file in the same folder and renames it over `path`,
// so an existing file is either replaced whole or left exactly as it was. Returns an
// empty string on success, else the reason (the temporary file is removed).
std::string replaceFileWhole(const std::filesystem::path& path, std::string_view bytes);

// A write failure simulated for tests (a full disk, say): while set, every
// replaceFileWhole writes the first `failAfterBytes` bytes of its temporary file and
// then fails the next write with `error`. The program never sets it.
struct SimulatedWriteFault {
    std::size_t failAfterBytes = 0;
    int error = 0;  // an errno value, such as ENOSPC
};
void setSimulatedWriteFault(std::optional<SimulatedWriteFault> fault);

}  // namespace pw::document
