// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/name_check.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "document/text_decoding.h"
#include "document/unicode_text.h"

namespace pw {

namespace {

// C0 controls (tab, line feed and carriage return too: they would split a file name and
// every line that quotes it), DEL and the C1 controls.
bool isControl(char32_t cp) {
    return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F);
}

bool isListed(char32_t cp) {
    return std::any_of(std::begin(text::kRefusedNameCharacters),
                       std::end(text::kRefusedNameCharacters),
                       [cp](std::string_view r) { return r.size() == 1 && r[0] == char(cp); });
}

// The character at `at` and what is wrong with it, if anything; moves `at` past it.
std::optional<RefusedCharacter> scanOne(std::string_view name, std::size_t& at, NameRules rules) {
    using Kind = RefusedCharacter::Kind;
    const std::size_t start = at;
    const std::optional<char32_t> cp = document::nextUtf8(name, at);
    if (!cp) {
        at = start + 1;
        return RefusedCharacter{Kind::NotUtf8, {}, static_cast<unsigned char>(name[start])};
    }
    if (isControl(*cp)) return RefusedCharacter{Kind::Control, {}, *cp};
    if (!document::isXmlChar(*cp)) return RefusedCharacter{Kind::NotXml, {}, *cp};
    if (isListed(*cp)) return RefusedCharacter{Kind::Listed, std::string(1, char(*cp)), 0};
    if (rules == NameRules::Batch && document::isBidiControl(*cp))
        return RefusedCharacter{Kind::Bidi, {}, *cp};
    return std::nullopt;
}

}  // namespace

std::optional<RefusedCharacter> refusedNameCharacter(std::string_view name, NameRules rules) {
    for (std::string_view refused : text::kRefusedNameCharacters)
        if (name.find(refused) != std::string_view::npos)
            return RefusedCharacter{RefusedCharacter::Kind::Listed, std::string(refused), 0};
    for (std::size_t at = 0; at < name.size();)
        if (auto refused = scanOne(name, at, rules); refused) return refused;
    return std::nullopt;
}

std::string describeRefused(const RefusedCharacter& refused) {
    char buf[32];
    if (refused.kind == RefusedCharacter::Kind::Listed) return "\"" + refused.listed + "\"";
    if (refused.kind == RefusedCharacter::Kind::NotUtf8)
        std::snprintf(buf, sizeof buf, "the byte 0x%02X", static_cast<unsigned>(refused.code));
    else
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(refused.code));
    return buf;
}

std::string fixedPatchName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t start = at;
        if (scanOne(name, at, NameRules::Batch))
            out += '_';
        else
            out.append(name.substr(start, at - start));
    }
    return out;
}

bool isDotsName(std::string_view name) {
    return name.empty() || name == "." || name == "..";
}

}  // namespace pw
