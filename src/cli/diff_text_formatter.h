// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two presets as an aligned table for people.

#include "diff_report.h"

namespace pw::cli {

class DiffTextFormatter : public DiffFormatter {
  public:
    void write(std::ostream& out, const DiffReport& report) const override;
};

}  // namespace pw::cli
