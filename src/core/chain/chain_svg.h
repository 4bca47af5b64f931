// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chain as an SVG picture, for a forum post: the tiles left to right, the two amp
// channels one above the other, each tile titled with its description.

#include <string>
#include <string_view>

#include "chain/chain.h"

namespace pw::chain {

// A whole SVG document (UTF-8), headed by `title` (the patch name).
std::string chainSvg(const Chain& chain, std::string_view title);

}  // namespace pw::chain
