// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/unicode_text.h"

#include <algorithm>
#include <iterator>

#include "document/text_decoding.h"
#include "document/unicode_tables.h"

namespace pw::document {

namespace {

// Unicode's Bidi_Control characters.
constexpr unicode::Range kBidiControls[] = {
    {0x061C, 0x061C},  // ARABIC LETTER MARK
    {0x200E, 0x200F},  // LEFT-TO-RIGHT MARK, RIGHT-TO-LEFT MARK
    {0x202A, 0x202E},  // the embeddings, POP DIRECTIONAL FORMATTING and the overrides
    {0x2066, 0x2069},  // the isolates and POP DIRECTIONAL ISOLATE
};

bool inRanges(std::span<const unicode::Range> ranges, char32_t cp) {
    const auto it =
        std::upper_bound(ranges.begin(), ranges.end(), cp,
                         [](char32_t c, const unicode::Range& r) { return c < r.first; });
    return it != ranges.begin() && cp <= std::prev(it)->last;
}

void appendFolded(std::string& out, char32_t cp) {
    const std::span<const unicode::FoldEntry> folds = unicode::foldEntries();
    const auto it =
        std::lower_bound(folds.begin(), folds.end(), cp,
                         [](const unicode::FoldEntry& e, char32_t c) { return e.from < c; });
    if (it == folds.end() || it->from != cp) {
        appendUtf8(out, cp);
        return;
    }
    if (it->count == 1) {
        appendUtf8(out, it->to);
        return;
    }
    for (const char32_t to : unicode::foldTargets().subspan(it->to, it->count))
        appendUtf8(out, to);
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameAscii(char a, char b) {
    return lowerAscii(a) == lowerAscii(b);
}

}  // namespace

std::string searchFolded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (static_cast<unsigned char>(c) < 0x80) {
            out += lowerAscii(c);
            ++at;
            continue;
        }
        const std::size_t start = at;
        if (const std::optional<char32_t> cp = nextUtf8(text, at)) {
            appendFolded(out, *cp);
        } else {
            out += text[start];
            at = start + 1;
        }
    }
    return out;
}

bool containsFolded(std::string_view text, std::string_view part) {
    // Plain ASCII on both sides, what nearly every name is, needs no copy.
    if (isAscii(text) && isAscii(part))
        return std::search(text.begin(), text.end(), part.begin(), part.end(), sameAscii) !=
               text.end();
    return searchFolded(text).find(searchFolded(part)) != std::string::npos;
}

bool equalFolded(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b))
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameAscii);
    return searchFolded(a) == searchFolded(b);
}

std::size_t columnWidth(char32_t cp) {
    if (cp < 0x300) return 1;
    if (inRanges(unicode::zeroWidthRanges(), cp)) return 0;
    return inRanges(unicode::wideRanges(), cp) ? 2 : 1;
}

bool isBidiControl(char32_t cp) {
    return inRanges(kBidiControls, cp);
}

}  // namespace pw::document
