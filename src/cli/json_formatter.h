// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list as one JSON object (--json).

#include <nlohmann/json.hpp>

#include "list_report.h"

namespace pw::cli {

class JsonFormatter : public ListFormatter {
  public:
    // Keys in the documented order.
    static nlohmann::ordered_json toJson(const ListReport& report);
    void write(std::ostream& out, const ListReport& report) const override;
};

}  // namespace pw::cli
