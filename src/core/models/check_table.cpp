// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/check_table.h"

namespace pw::models {

int contains(List list, double number) {
    for (const Item& item : list) {
        if (number >= item.first && number <= item.last) {
            // Inside a range only whole numbers are entries.
            if (item.first == item.last ||
                number == static_cast<double>(static_cast<std::int64_t>(number)))
                return 1;
        }
    }
    return 0;
}

std::size_t entryCount(List list) {
    std::size_t n = 0;
    for (const Item& item : list)
        n += static_cast<std::size_t>(item.last - item.first) + 1;
    return n;
}

}  // namespace pw::models
