// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Unicode data the core needs, generated from Python's unicodedata by
// tools/gen-unicode-tables.py into unicode_tables.cpp. Every table is sorted by code point.

#include <cstdint>
#include <span>
#include <string_view>

namespace pw::document::unicode {

// A character a search does not compare as it stands: it folds to `count` characters
// (0: dropped, a combining mark; 1: the character `to`; more: `count` characters of
// foldTargets() from index `to`).
struct FoldEntry {
    char32_t from;
    char32_t to;
    std::uint8_t count;
};

struct Range {
    char32_t first;
    char32_t last;
};

std::span<const FoldEntry> foldEntries();
std::span<const char32_t> foldTargets();
// Characters a terminal shows without a column of their own (combining marks, format
// characters, the vowels and finals of conjoining Hangul), and those it shows two
// columns wide (East Asian wide and full-width).
std::span<const Range> zeroWidthRanges();
std::span<const Range> wideRanges();

}  // namespace pw::document::unicode
