// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One field of a CSV line, as every CSV report writes it.

#include <string>
#include <string_view>

namespace pw::document {

// The text with its control characters, bidirectional controls and bytes that are not
// UTF-8 escaped as a table shows them (displayText), so that every record is one line
// and reads as it stands; a text starting with "=", "+", "-" or "@" gets an apostrophe
// in front, so that a spreadsheet does not take it for a formula; then quoted (its
// quotes doubled) when it holds a comma or a quote.
std::string csvField(std::string_view text);

}  // namespace pw::document
