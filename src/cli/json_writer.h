// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every JSON document the command line prints (--json): the reports build the value,
// this writes it.

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pw::cli {

using Json = nlohmann::ordered_json;  // keys stay in the order the report gives them

// Indented by two blanks, one document per call, ending in a line feed. A text that is
// not UTF-8 (a file name, say) is written readable, each stray byte as U+FFFD, and its
// exact bytes follow under the same key with "_bytes" added, in base64
// ("file": "bad\uFFFD.rp250p", "file_bytes": "YmFk/y5ycDI1MHA=").
void writeJson(std::ostream& out, const Json& document);

// Whether the text is well-formed UTF-8, and its bytes in base64 (RFC 4648, padded).
bool isUtf8(std::string_view text);
std::string base64(std::string_view bytes);

}  // namespace pw::cli
