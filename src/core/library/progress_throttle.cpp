// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/progress_throttle.h"

namespace pw::library {

bool ProgressThrottle::due(bool last, Clock::time_point now) {
    if (!last && reported_ && now - *reported_ < period_) return false;
    reported_ = now;
    return true;
}

}  // namespace pw::library
