#pragma once
// A strict well-formedness check of a decoded XML document, run before the document
// is parsed. It refuses what a hardened reader refuses: any document type declaration
// (so no entity is ever defined, expanded or fetched), references to undefined
// entities, malformed markup, unbalanced or crossing tags, duplicate attributes, text
// outside the root element and element or attribute prefixes that no namespace
// declaration binds. It works in one forward pass without recursion, so nesting depth
// costs heap, not stack.

#include <string>
#include <string_view>

namespace pw::document {

// Empty when `utf8` (already decoded, its characters already checked) is well-formed;
// otherwise a short description of the first fault.
std::string checkWellFormed(std::string_view utf8);

}  // namespace pw::document
