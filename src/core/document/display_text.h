// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts made safe to show on a terminal line or in a spreadsheet cell, and their width.

#include <cstddef>
#include <string>
#include <string_view>

namespace pw::document {

// The text with every character that could move the cursor, start a line or turn the
// text around shown as a visible escape: \n, \t, \r, \xHH for the other C0 controls, DEL
// and bytes that are not UTF-8, \uHHHH for the C1 controls and the bidirectional
// controls (U+202E ...). Everything else stays as it is.
std::string displayText(std::string_view text);
// As displayText, at most `maxWidth` columns wide: a longer text is cut where a
// character (or an escape) ends and "…" closes it. Reads no further than it shows.
std::string displayText(std::string_view text, std::size_t maxWidth);
// Columns a terminal gives a UTF-8 text: CJK two per character, combining marks none.
std::size_t displayWidth(std::string_view text);

}  // namespace pw::document
