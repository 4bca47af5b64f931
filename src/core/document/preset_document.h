#pragma once
// The opened preset as the passes read it: the first Name element of the document and
// every Param element with the texts of its five children.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw::document {

struct ParamElement {
    // Text of the first child element of that name; nullopt when the child is missing.
    std::optional<std::string> name, id, position, value, text;
};

struct PresetDocument {
    std::optional<std::string> firstName;  // first element named Name, in document order
    std::vector<ParamElement> params;      // every element named Param, in document order
};

struct ParseResult {
    PresetDocument document;  // empty when the bytes are not a well-formed document
    std::string error;        // why not; empty on success
    bool ok() const { return error.empty(); }
};

// Decodes, checks and parses a whole file's bytes. Element names are matched as
// written: a default namespace changes nothing, while p:Param is not a Param.
ParseResult parsePreset(std::string_view bytes);

}  // namespace pw::document
