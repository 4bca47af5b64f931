// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A conversion of the Library as the window shows it: the outcomes of the plan the core
// worked out, summed up in a sentence, and the outcomes of the run.

#include <QString>
#include <cstddef>
#include <vector>

#include "library/conversion.h"
#include "library_entry.h"

namespace pw::ui {

Outcome outcomeView(const library::Outcome& outcome);

// What converting would do, before anything is written.
struct DryRun {
    library::ConversionPlan plan;
    std::vector<Outcome> outcomes;  // by position of the presets (Written: would be)
    // "1,850 will be written, 12 cannot, 3 names fixed, 2 would collide"
    QString summary() const;
};

DryRun dryRunView(library::ConversionPlan plan);

}  // namespace pw::ui
