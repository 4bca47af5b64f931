// SPDX-License-Identifier: GPL-3.0-or-later
// The reference reader the tests and the fuzzer compare the program's reader with:
// the same decode and well-formedness check, then a pugixml tree walked for the first
// Name and every Param. Slower, but independent of the program's own text collection.

#include "reference_reader.h"

#include <cstring>
#include <pugixml.hpp>

#include "document/text_decoding.h"
#include "document/xml_checker.h"

namespace pwtest {

using namespace pw::document;

namespace {

// All character data below `element`, in document order, CDATA included and nothing
// trimmed; walked without recursion.
std::string textOf(pugi::xml_node element) {
    pugi::xml_node node = element.first_child();
    // The usual element holds its text alone.
    if (node && !node.next_sibling() &&
        (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata))
        return node.value();
    std::string out;
    while (node && node != element) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            out += node.value();
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != element && !node.next_sibling())
            node = node.parent();
        if (node != element) node = node.next_sibling();
    }
    return out;
}

// The texts of the first child element of each of the five names, in one walk over
// the children.
ParamElement readParam(pugi::xml_node param) {
    ParamElement p;
    for (pugi::xml_node child = param.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        const char* name = child.name();
        std::optional<std::string>* slot = nullptr;
        if (std::strcmp(name, "Name") == 0)
            slot = &p.name;
        else if (std::strcmp(name, "ID") == 0)
            slot = &p.id;
        else if (std::strcmp(name, "Position") == 0)
            slot = &p.position;
        else if (std::strcmp(name, "Value") == 0)
            slot = &p.value;
        else if (std::strcmp(name, "Text") == 0)
            slot = &p.text;
        if (slot && !*slot) *slot = textOf(child);
    }
    return p;
}

}  // namespace

ParseResult parseWithPugixml(std::string_view bytes) {
    ParseResult result;
    DecodedText decoded = decodeStrict(bytes);
    if (!decoded.ok()) {
        result.status = ReadStatus::BadEncoding;
        result.error = decoded.error;
        return result;
    }
    if (std::string fault = checkWellFormed(decoded.utf8); !fault.empty()) {
        result.status = ReadStatus::NotWellFormed;
        result.error = fault;
        return result;
    }
    // The same decoded text, parsed by pugixml with white space kept.
    // The decoded text is ours and outlives the tree, so it is parsed in place.
    pugi::xml_document xml;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata;
    const pugi::xml_parse_result parsed = xml.load_buffer_inplace(
        decoded.utf8.data(), decoded.utf8.size(), options, pugi::encoding_utf8);
    if (!parsed) {
        result.status = ReadStatus::NotWellFormed;
        result.error = parsed.description();
        return result;
    }
    // One walk in document order, without recursion.
    PresetDocument& doc = result.document;
    pugi::xml_node node = xml.first_child();
    while (node) {
        if (node.type() == pugi::node_element) {
            const char* name = node.name();
            if (!doc.firstName && std::strcmp(name, "Name") == 0) doc.firstName = textOf(node);
            if (std::strcmp(name, "Param") == 0) doc.params.push_back(readParam(node));
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node) node = node.next_sibling();
    }
    return result;
}

}  // namespace pwtest
