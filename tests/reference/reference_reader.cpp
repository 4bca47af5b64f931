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

// The node after `node` in document order, without leaving `root` (null at its end).
pugi::xml_node after(pugi::xml_node node, pugi::xml_node root) {
    if (node.first_child()) return node.first_child();
    while (node != root && !node.next_sibling())
        node = node.parent();
    return node == root ? pugi::xml_node() : node.next_sibling();
}

bool isText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// All character data below `element`, in document order, CDATA included and nothing
// trimmed; walked without recursion.
std::string textOf(pugi::xml_node element) {
    pugi::xml_node node = element.first_child();
    // The usual element holds its text alone.
    if (node && !node.next_sibling() && isText(node)) return node.value();
    std::string out;
    for (; node; node = after(node, element))
        if (isText(node)) out += node.value();
    return out;
}

// The texts of the first child element of each of the five names, in one walk over
// the children.
ParamElement readParam(pugi::xml_node param) {
    static const std::pair<const char*, std::optional<std::string> ParamElement::*> kSlots[] = {
        {"Name", &ParamElement::name},
        {"ID", &ParamElement::id},
        {"Position", &ParamElement::position},
        {"Value", &ParamElement::value},
        {"Text", &ParamElement::text}};
    ParamElement p;
    for (pugi::xml_node child = param.first_child(); child; child = child.next_sibling())
        for (const auto& [name, slot] : kSlots)
            if (child.type() == pugi::node_element && std::strcmp(child.name(), name) == 0 &&
                !(p.*slot))
                p.*slot = textOf(child);
    return p;
}

}  // namespace

ParseResult parseWithPugixml(std::string_view bytes) {
    ParseResult result;
    const auto refused = [&](ReadStatus status, std::string error) {
        result.status = status;
        result.error = std::move(error);
        return result;
    };
    DecodedText decoded = decodeStrict(bytes);
    if (!decoded.ok()) return refused(ReadStatus::BadEncoding, decoded.error);
    if (std::string fault = checkWellFormed(decoded.utf8); !fault.empty())
        return refused(ReadStatus::NotWellFormed, fault);
    // The same decoded text, parsed by pugixml with white space kept.
    // The decoded text is ours and outlives the tree, so it is parsed in place.
    pugi::xml_document xml;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata;
    const pugi::xml_parse_result parsed = xml.load_buffer_inplace(
        decoded.utf8.data(), decoded.utf8.size(), options, pugi::encoding_utf8);
    if (!parsed) return refused(ReadStatus::NotWellFormed, parsed.description());
    // One walk in document order, without recursion.
    PresetDocument& doc = result.document;
    for (pugi::xml_node node = xml.first_child(); node; node = after(node, xml)) {
        if (node.type() != pugi::node_element) continue;
        if (!doc.firstName && std::strcmp(node.name(), "Name") == 0) doc.firstName = textOf(node);
        if (std::strcmp(node.name(), "Param") == 0) doc.params.push_back(readParam(node));
    }
    return result;
}

}  // namespace pwtest
