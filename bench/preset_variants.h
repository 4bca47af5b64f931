// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Realistic presets made from a sample: every model-select row gets a model drawn by a
// seeded generator among the models the sample's own device knows, so the variant is a
// preset that device could have written.

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/effect_catalogue.h"
#include "document/targets.h"
#include "filter/resolve.h"

namespace pwbench {

inline std::string xmlEscaped(std::string_view text) {
    std::string out;
    for (char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

// The text between <tag> and </tag> in [from, to) of `xml`, with its place.
struct Element {
    std::size_t at = std::string::npos, size = 0;
};
inline Element element(const std::string& xml, std::string_view tag, std::size_t from,
                       std::size_t to) {
    const std::string open = "<" + std::string(tag) + ">";
    const std::size_t start = xml.find(open, from);
    if (start == std::string::npos || start >= to) return {};
    const std::size_t end = xml.find("</" + std::string(tag) + ">", start);
    return {start + open.size(), end - start - open.size()};
}

// A variant of `sample` (a preset of device `own`) with the patch name `name`.
inline std::string presetVariant(const std::string& sample, const pw::document::Target& own,
                                 unsigned seed, const std::string& name) {
    std::mt19937 random(seed);
    std::string xml = sample;
    const Element patchName = element(xml, "Name", 0, xml.size());
    xml.replace(patchName.at, patchName.size, xmlEscaped(name));
    for (std::size_t at = xml.find("<Param>"); at != std::string::npos;
         at = xml.find("<Param>", at + 1)) {
        const std::size_t end = xml.find("</Param>", at);
        const Element id = element(xml, "ID", at, end),
                      position = element(xml, "Position", at, end);
        const Element value = element(xml, "Value", at, end), text = element(xml, "Text", at, end);
        if (id.at == std::string::npos || position.at == std::string::npos ||
            value.at == std::string::npos || text.at == std::string::npos)
            continue;
        const pw::catalogue::Block* block =
            pw::catalogue::blockOfRow(std::string_view(xml).substr(id.at, id.size),
                                      std::string_view(xml).substr(position.at, position.size));
        if (!block) continue;
        std::vector<const pw::catalogue::Entry*> known;
        for (const pw::catalogue::Entry& e : block->entries)
            if (pw::filter::targetKnowsModel(*block, e.value, own)) known.push_back(&e);
        if (known.empty()) continue;
        const pw::catalogue::Entry& e = *known[random() % known.size()];
        // Text first: it stands after Value, so Value's place stays valid.
        xml.replace(text.at, text.size, xmlEscaped(e.name));
        xml.replace(value.at, value.size, pw::catalogue::valueText(e));
    }
    return xml;
}

}  // namespace pwbench
