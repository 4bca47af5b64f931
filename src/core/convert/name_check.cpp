// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/name_check.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "document/text_decoding.h"

namespace pw {

bool isWritablePatchName(std::string_view name) {
    std::size_t at = 0;
    while (at < name.size()) {
        const std::optional<char32_t> cp = document::nextUtf8(name, at);
        if (!cp || !document::isXmlChar(*cp)) return false;
    }
    return true;
}

std::string fixedPatchName(std::string_view name) {
    std::string out;
    for (char c : name) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
        const bool refused = std::any_of(
            std::begin(text::kRefusedNameCharacters), std::end(text::kRefusedNameCharacters),
            [c](std::string_view r) { return r.size() == 1 && r[0] == c; });
        out += control || refused ? '_' : c;
    }
    return out;
}

}  // namespace pw
