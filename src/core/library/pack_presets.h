// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A selection of presets put into one pack to share: each read again from its file or
// pack and, for a target, converted for it first (Resolve Conflicts, names fixed, the
// amp channel for a two-channel preset); one that cannot be read or converted is left
// out. The report beside them lists every preset and what became of it.

#include <cstddef>
#include <filesystem>
#include <span>

#include "document/file_writer.h"
#include "document/targets.h"
#include "library/pack_writer.h"
#include "library/scan.h"

namespace pw::library {

struct PackOptions {
    const document::Target* target = nullptr;  // as they are when null
    char amp = 0;                              // 'A', 'B' or 0
};

struct PackOutcome {
    PackResult written;
    std::size_t packed = 0;
    std::size_t left = 0;  // left out
};

PackOutcome packPresets(document::FileWriter& writer, const std::filesystem::path& out,
                        std::span<const Preset* const> presets, const PackOptions& options);

}  // namespace pw::library
