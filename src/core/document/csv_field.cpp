// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/csv_field.h"

namespace pw::document {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace pw::document
