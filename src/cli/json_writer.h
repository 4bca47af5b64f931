// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every JSON document the command line prints (--json): the reports build the value,
// this writes it.

#include <iosfwd>
#include <nlohmann/json.hpp>

namespace pw::cli {

using Json = nlohmann::ordered_json;  // keys stay in the order the report gives them

// Indented by two blanks, one document per call, ending in a line feed. Texts are UTF-8
// already; a stray invalid byte (in a file name, say) becomes U+FFFD rather than
// aborting the output.
void writeJson(std::ostream& out, const Json& document);

}  // namespace pw::cli
