// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Characters as a search compares them and as a terminal shows them.

#include <cstddef>
#include <string>
#include <string_view>

namespace pw::document {

// The text as a search compares it: each character case folded and canonically
// decomposed, its combining marks dropped, so that "Über", "über" and "uber" are all
// "uber" and "CRÈME" is "creme". Bytes that are not UTF-8 stay as they are.
std::string searchFolded(std::string_view text);

// Whether `part` occurs in `text`, and whether `a` and `b` are equal, compared as
// searchFolded makes them.
bool containsFolded(std::string_view text, std::string_view part);
bool equalFolded(std::string_view a, std::string_view b);

// How many columns a terminal gives the character: none for a combining mark or a
// format character, two for an East Asian wide or full-width one, else one.
std::size_t columnWidth(char32_t cp);

// The characters that change the direction text is laid out in (U+202E, RIGHT-TO-LEFT
// OVERRIDE, among them): they make a name read other than its characters stand.
bool isBidiControl(char32_t cp);

}  // namespace pw::document
