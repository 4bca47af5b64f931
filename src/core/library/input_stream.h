// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inputs given by name (the command line's convert), listed as a scan lists them and
// handed to convertAll one at a time: preset files, the presets and packs of folders all
// the way down, and the preset members of packs, read one after the other. What is not a
// preset (an unreadable folder, a broken pack, a member named outside its pack) is a
// problem of the report. A name that does not exist is an input that cannot be read.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/archive_reader.h"
#include "library/convert_all.h"
#include "library/inputs.h"

namespace pw::library {

class InputStream {
  public:
    explicit InputStream(const std::vector<std::string>& given);

    // Every input is a plain file: the number of presets is known beforehand.
    std::optional<std::size_t> total() const;
    // The preset files among the inputs (a conversion never replaces one of them).
    std::vector<std::filesystem::path> presetFiles() const;

    bool next(ConvertInput& input);

    const std::vector<ScanProblem>& problems() const { return list_.problems; }
    std::size_t skipped() const { return list_.skipped + memberSkipped_; }

  private:
    // A file to convert; `missing` when it was given but does not exist, so that it
    // fails as a file that cannot be read.
    struct Entry {
        std::filesystem::path path;
        bool archive = false;
        bool missing = false;
    };
    bool nextMember(ConvertInput& input);

    InputList list_;
    std::vector<Entry> entries_;
    std::size_t at_ = 0;
    std::unique_ptr<ArchiveReader> archive_;
    std::filesystem::path archiveFile_;
    std::size_t memberSkipped_ = 0;
};

}  // namespace pw::library
