#include "document/preset_document.h"

#include <cstring>
#include <pugixml.hpp>

#include "document/text_decoding.h"
#include "document/xml_checker.h"

namespace pw::document {

namespace {

// All character data below `element`, in document order, CDATA included and nothing
// trimmed; walked without recursion.
std::string textOf(pugi::xml_node element) {
    std::string out;
    pugi::xml_node node = element.first_child();
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

std::optional<std::string> childText(pugi::xml_node element, const char* name) {
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), name) == 0)
            return textOf(child);
    }
    return std::nullopt;
}

ParamElement readParam(pugi::xml_node param) {
    ParamElement p;
    p.name = childText(param, "Name");
    p.id = childText(param, "ID");
    p.position = childText(param, "Position");
    p.value = childText(param, "Value");
    p.text = childText(param, "Text");
    return p;
}

}  // namespace

ParseResult parsePreset(std::string_view bytes) {
    ParseResult result;
    DecodedText decoded = decodeStrict(bytes);
    if (!decoded.ok()) {
        result.error = decoded.error;
        return result;
    }
    if (std::string fault = checkWellFormed(decoded.utf8); !fault.empty()) {
        result.error = fault;
        return result;
    }
    pugi::xml_document xml;
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata;
    const pugi::xml_parse_result parsed =
        xml.load_buffer(decoded.utf8.data(), decoded.utf8.size(), options, pugi::encoding_utf8);
    if (!parsed) {
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

}  // namespace pw::document
