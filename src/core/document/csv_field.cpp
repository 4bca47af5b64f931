// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/csv_field.h"

#include "document/display_text.h"

namespace pw::document {

std::string csvField(std::string_view text) {
    std::string shown = displayText(text);
    if (!shown.empty() && std::string_view("=+-@").find(shown.front()) != std::string_view::npos)
        shown.insert(0, 1, '\'');
    if (shown.find_first_of(",\"") == std::string::npos) return shown;
    std::string out = "\"";
    for (const char c : shown) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace pw::document
