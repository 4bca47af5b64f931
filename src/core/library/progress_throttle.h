// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When a progress report is due: the first at once, then one a period at most, and the
// last always (the scan's and the conversion's reports to their owner and on a terminal).

#include <chrono>
#include <optional>

namespace pw::library {

class ProgressThrottle {
  public:
    using Clock = std::chrono::steady_clock;
    explicit ProgressThrottle(std::chrono::milliseconds period) : period_(period) {}
    // Whether to report now; `last` for the report of the end.
    bool due(bool last, Clock::time_point now = Clock::now());

  private:
    std::chrono::milliseconds period_;
    std::optional<Clock::time_point> reported_;
};

}  // namespace pw::library
