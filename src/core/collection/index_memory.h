// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library's memory of its scans, kept in the collection's index: a folder opened
// again shows what the index holds of each unchanged file, and only the rest is read.

#include <filesystem>

#include "library/scan_memory.h"

namespace pw::collection {

class IndexMemory final : public library::ScanMemory {
  public:
    // The database at `path`, opened anew on each call (calls come from the library's
    // thread; the window keeps its own connection).
    explicit IndexMemory(std::filesystem::path path) : path_(std::move(path)) {}

    library::KnownFiles recall(const std::vector<std::filesystem::path>& inputs,
                               const library::TriageSettings& settings) override;
    void remember(const std::vector<std::filesystem::path>& inputs,
                  const library::TriageSettings& settings,
                  std::span<const library::PresetPtr> presets,
                  std::span<const library::Triage> triages,
                  std::span<const library::ScanProblem> problems) override;

  private:
    std::filesystem::path path_;
};

}  // namespace pw::collection
