// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/param_list.h"

#include <iterator>
#include <stdexcept>

namespace pw {

int colourValue(Mark mark) {
    switch (mark) {
        case Mark::Conflict:
            return kConflictColour;
        case Mark::Change:
            return kChangeColour;
        case Mark::Default:
            break;
    }
    return 0;
}

const char* markName(Mark mark) {
    switch (mark) {
        case Mark::Conflict:
            return "conflict";
        case Mark::Change:
            return "change";
        case Mark::Default:
            break;
    }
    return "default";
}

void ParamList::insertAt(std::size_t number, std::vector<Row> rows) {
    if (number < 1 || number > rows_.size() + 1) throw std::out_of_range("row number");
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(number - 1),
                 std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

void ParamList::remove(std::size_t number) {
    if (!hasRow(static_cast<long long>(number))) throw std::out_of_range("row number");
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(number - 1));
}

}  // namespace pw
