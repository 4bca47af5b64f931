// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library keeps no preset's bytes: what needs them again (a triage against another
// target, a row search, a conversion) reads them from the file or the pack, each file
// once: a preset file on its own, the members of one pack in one pass over the pack.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>

#include "library/scan.h"
#include "library/source.h"

namespace pw::library {

// Hands the bytes of every preset to `take(i, read)`, on every core, in no set order,
// once each; stops soon after `cancel`.
void readAgain(std::span<const std::shared_ptr<const Preset>> presets,
               const std::atomic<bool>& cancel,
               const std::function<void(std::size_t, SourceBytes&)>& take);

}  // namespace pw::library
