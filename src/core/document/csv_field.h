// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One field of a CSV line, as every CSV report writes it.

#include <string>
#include <string_view>

namespace pw::document {

// The text as it stands, or quoted (its quotes doubled) when it holds a comma, a quote
// or a line end.
std::string csvField(std::string_view text);

}  // namespace pw::document
