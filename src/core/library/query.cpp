// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/query.h"

#include <algorithm>
#include <cctype>

#include "catalogue/effect_catalogue.h"

namespace pw::library {

namespace {

bool sameLetters(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameLetters);
}

bool containsNoCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(), sameLetters) !=
           text.end();
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool rowMatches(const document::ParamElement& param, std::string_view rowName,
                std::optional<std::string_view> wanted) {
    if (!param.name || !equalNoCase(trimmed(*param.name), rowName)) return false;
    if (!wanted) return true;
    if (param.text && equalNoCase(trimmed(*param.text), *wanted)) return true;
    if (!param.id || !param.position || !param.value) return false;
    const catalogue::Block* block = catalogue::blockOfRow(*param.id, *param.position);
    if (!block) return false;
    const auto index = catalogue::entryIndex(*block, *wanted);
    return index && catalogue::valueText(block->entries[*index]) == *param.value;
}

bool anyRowMatches(const document::PresetDocument& doc, std::string_view criterion) {
    const std::size_t equals = criterion.find('=');
    const std::string_view rowName = trimmed(criterion.substr(0, equals));
    std::optional<std::string_view> wanted;
    if (equals != std::string_view::npos) wanted = trimmed(criterion.substr(equals + 1));
    return std::any_of(doc.params.begin(), doc.params.end(), [&](const document::ParamElement& p) {
        return rowMatches(p, rowName, wanted);
    });
}

}  // namespace

bool matches(const Preset& preset, const Query& query, const document::PresetDocument* document) {
    // The file name: the preset's own, or its archive's and the member's path in it.
    if (!query.text.empty() && !containsNoCase(preset.name, query.text) &&
        !containsNoCase(preset.source.file.filename().native(), query.text) &&
        !containsNoCase(preset.source.member, query.text))
        return false;
    if (!query.model.empty() && !equalNoCase(preset.model, query.model)) return false;
    if (!query.uses.empty() &&
        std::none_of(preset.uses.begin(), preset.uses.end(),
                     [&](std::string_view used) { return containsNoCase(used, query.uses); }))
        return false;
    if (!query.row.empty()) {
        if (document) return anyRowMatches(*document, query.row);
        if (preset.bytes.empty()) return false;
        const document::ParseResult parsed = document::parsePreset(preset.bytes);
        return parsed.ok() && anyRowMatches(parsed.document, query.row);
    }
    return true;
}

}  // namespace pw::library
