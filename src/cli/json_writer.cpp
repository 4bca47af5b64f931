// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_writer.h"

#include <ostream>

namespace pw::cli {

void writeJson(std::ostream& out, const Json& document) {
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace pw::cli
