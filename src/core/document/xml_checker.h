// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A strict reader of decoded XML documents. It refuses what a hardened reader refuses: any document
// type declaration (so no entity is ever defined, expanded or fetched), references to undefined
// entities, malformed markup, unbalanced or crossing tags, duplicate attributes, text
// outside the root element and element or attribute prefixes that no namespace
// declaration binds. It works in one forward pass without recursion, so nesting depth
// costs heap, not stack.

#include <cstddef>
#include <string>
#include <string_view>

namespace pw::document {

// Empty when `utf8` (already decoded, its characters already checked) is well-formed;
// otherwise a short description of the first fault.
std::string checkWellFormed(std::string_view utf8);

struct PresetDocument;

// The same check, collecting in the same pass what a preset document is read for: the
// text of the first element named Name and, for every element named Param, the texts
// of its first Name, ID, Position, Value and Text children. An element's text is all
// its character data (CDATA included, references replaced, line ends normalised,
// nothing trimmed). On a fault `document` is left empty and, when given, `faultOffset`
// holds the byte of `utf8` where the fault was found.
std::string readWellFormed(std::string_view utf8, PresetDocument& document,
                           std::size_t* faultOffset = nullptr);

}  // namespace pw::document
