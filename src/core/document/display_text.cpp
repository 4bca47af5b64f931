// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/display_text.h"

#include <cstdio>
#include <optional>

#include "document/text_decoding.h"
#include "document/unicode_text.h"

namespace pw::document {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // …

std::string hexEscape(unsigned value, bool unicode) {
    char buf[16];
    std::snprintf(buf, sizeof buf, unicode ? "\\u%04X" : "\\x%02X", value);
    return buf;
}

// The piece that shows the character at `at` (moving `at` past it): the character
// itself, or its escape.
std::string shownPiece(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    const std::optional<char32_t> cp = nextUtf8(text, at);
    if (!cp) {
        at = start + 1;
        return hexEscape(static_cast<unsigned char>(text[start]), false);
    }
    switch (*cp) {
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
    }
    if (*cp < 0x20 || *cp == 0x7F) return hexEscape(*cp, false);
    if ((*cp >= 0x80 && *cp <= 0x9F) || isBidiControl(*cp)) return hexEscape(*cp, true);
    return std::string(text.substr(start, at - start));
}

}  // namespace

std::string displayText(std::string_view text, std::size_t maxWidth) {
    std::string out;
    std::size_t width = 0;
    // A piece of width w fits when it stays within the cap, and fills it only when it
    // ends the text (else the ellipsis needs the last place).
    const auto fits = [&](std::size_t w, std::size_t after) {
        return width + w < maxWidth || (width + w == maxWidth && after == text.size());
    };
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c >= 0x20 && c < 0x7F) {  // printable ASCII, the common case
            if (!fits(1, at + 1)) return out += kEllipsis;
            out += c;
            ++width;
            ++at;
            continue;
        }
        std::size_t next = at;
        std::string piece = shownPiece(text, next);
        const std::size_t w = displayWidth(piece);
        if (!fits(w, next)) return out += kEllipsis;
        out += piece;
        width += w;
        at = next;
    }
    return out;
}

std::string displayText(std::string_view text) {
    return displayText(text, static_cast<std::size_t>(-1));
}

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> cp = nextUtf8(text, at);
        if (!cp) at = start + 1;  // a stray byte shows as one character
        width += cp ? columnWidth(*cp) : 1;
    }
    return width;
}

}  // namespace pw::document
