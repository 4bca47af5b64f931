// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two presets as one JSON object (diff --json).

#include <nlohmann/json.hpp>

#include "diff_report.h"

namespace pw::cli {

class DiffJsonFormatter : public DiffFormatter {
  public:
    // Keys in the documented order.
    static nlohmann::ordered_json toJson(const DiffReport& report);
    void write(std::ostream& out, const DiffReport& report) const override;
};

}  // namespace pw::cli
