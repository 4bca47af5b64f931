// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/check_table.h"

#include <cmath>
#include <cstdint>

namespace pw::models {

int contains(List list, double number) {
    // Every entry is a whole number, so only a whole number in their range can equal one.
    if (!(number >= INT32_MIN && number <= INT32_MAX) || number != std::trunc(number)) return 0;
    const auto whole = static_cast<std::int32_t>(number);
    for (const Item& item : list)
        if (whole >= item.first && whole <= item.last) return 1;
    return 0;
}

}  // namespace pw::models
