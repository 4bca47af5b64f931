// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/name_check.h"

#include <cstdint>

#include "document/text_decoding.h"

namespace pw {
namespace {

// Reads the UTF-8 character at `at`, advancing `at`; false for a byte sequence that is
// not well-formed UTF-8 (stray or missing continuation bytes, overlong forms,
// surrogates, beyond U+10FFFF).
bool readUtf8(std::string_view text, std::size_t& at, char32_t& cp) {
    const auto lead = std::uint8_t(text[at++]);
    int more = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        cp = lead;
        return true;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, least = 0x80, cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, least = 0x800, cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, least = 0x10000, cp = lead & 0x07u;
    } else {
        return false;
    }
    for (; more > 0; --more) {
        if (at >= text.size()) return false;
        const auto next = std::uint8_t(text[at++]);
        if ((next & 0xC0u) != 0x80u) return false;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    return cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

bool isWritablePatchName(std::string_view name) {
    std::size_t at = 0;
    while (at < name.size()) {
        char32_t cp = 0;
        if (!readUtf8(name, at, cp) || !document::isXmlChar(cp)) return false;
    }
    return true;
}

}  // namespace pw
