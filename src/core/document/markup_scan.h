// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a run of character data ends: the reader's inner loop over text.

#include <cstddef>
#include <string_view>

namespace pw::document {

// The first '<', '&' or ']' in `text` from `from` on, or the text's size.
std::size_t endOfText(std::string_view text, std::size_t from);

}  // namespace pw::document
