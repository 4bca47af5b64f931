// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The opened preset as the passes read it: the first Name element of the document and
// every Param element with the texts of its five children.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw::document {

struct ParamElement {
    // Text of the first child element of that name; nullopt when the child is missing.
    std::optional<std::string> name, id, position, value, text;

    // Whether it says where it is and what it holds: an ID, a Position and a Value.
    bool placed() const { return id && position && value; }
    // Whether it has all five children.
    bool whole() const { return placed() && name && text; }
};

struct PresetDocument {
    std::optional<std::string> firstName;  // first element named Name, in document order
    std::vector<ParamElement> params;      // every element named Param, in document order
};

// How reading a preset ended.
enum class ReadStatus {
    Ok,
    FileUnreadable,  // the file could not be opened or read to its end
    BadEncoding,     // bytes invalid in their encoding, or characters XML does not allow
    NotWellFormed,   // not well-formed XML, or markup a preset may not hold (a DOCTYPE, ...)
};

struct ParseResult {
    ReadStatus status = ReadStatus::Ok;
    PresetDocument document;  // empty unless the status is Ok
    std::string error;        // what went wrong, for the user; empty on success
    // The byte of the file where the fault was found, when it is known.
    std::optional<std::size_t> offset;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Decodes, checks and parses a whole file's bytes. Element names are matched as
// written: a default namespace changes nothing, while p:Param is not a Param.
ParseResult parsePreset(std::string_view bytes);

}  // namespace pw::document
