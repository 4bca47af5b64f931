// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the library remembers of its scans from one run to the next (the user's
// collection keeps it): what each file held when it was last read, so that opening a
// folder again shows it at once and reads only the files that changed since.

#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "library/inputs.h"
#include "library/scan.h"

namespace pw::library {

class ScanMemory {
  public:
    virtual ~ScanMemory() = default;
    // What is remembered of the files under `inputs`, triaged against `settings`. Called
    // on the library's own thread, before a scan.
    virtual KnownFiles recall(const std::vector<std::filesystem::path>& inputs,
                              const TriageSettings& settings) = 0;
    // Remembers what a whole scan of `inputs` found, with each preset's status against
    // `settings`; the files named in `problems` are not to be trusted. Called on the
    // library's own thread, after the scan was delivered.
    virtual void remember(const std::vector<std::filesystem::path>& inputs,
                          const TriageSettings& settings, std::span<const PresetPtr> presets,
                          std::span<const Triage> triages,
                          std::span<const ScanProblem> problems) = 0;
};

}  // namespace pw::library
