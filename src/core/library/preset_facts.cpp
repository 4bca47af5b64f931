// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/preset_facts.h"

#include <algorithm>
#include <charconv>

#include "catalogue/effect_catalogue.h"
#include "catalogue/preset_style.h"
#include "convert/convert.h"
#include "document/root_names.h"
#include "library/rows_key.h"

namespace pw::library {

namespace {

// The blocks whose entries are models a preset uses; the pedal assignment and the two
// library blocks name settings rather than models.
bool isModelBlock(const catalogue::Block& block) {
    return !block.onlyAtPosition19 && block.title != "Tone library" && block.title != "FX library";
}

std::string_view modelName(const catalogue::Block& block, std::string_view valueText) {
    std::int32_t value = 0;
    const char* end = valueText.data() + valueText.size();
    const auto [stop, error] = std::from_chars(valueText.data(), end, value);
    if (error != std::errc() || stop != end) return {};
    for (const catalogue::Entry& entry : block.entries)
        if (entry.value == value) return entry.name;
    return {};
}

void appendField(std::string& out, const std::optional<std::string>& field) {
    if (field) {
        out += *field;
        out += '\x1f';
    } else {
        out += '\x1e';
    }
}

// The rows as their key is made of them: ID, Position and Value of each row, in order.
std::string rowsText(const document::PresetDocument& document) {
    std::string out;
    out.reserve(document.params.size() * 16);
    for (const document::ParamElement& param : document.params) {
        appendField(out, param.id);
        appendField(out, param.position);
        appendField(out, param.value);
        out += '\n';
    }
    return out;
}

}  // namespace

void readFacts(std::string_view bytes, Preset& preset, document::ParseResult& parsed,
               std::string& sourceRoot) {
    sourceRoot = convert::sourceRootOf(bytes);
    if (const document::RootInfo* root = document::rootInfo(sourceRoot)) preset.model = root->model;
    parsed = document::parsePreset(bytes);
    if (!parsed.ok()) {
        preset.readable = false;
        preset.readProblem = parsed.error;
        return;
    }
    const document::PresetDocument& doc = parsed.document;
    preset.rows = doc.params.size();
    const std::string text = rowsText(doc);
    const RowsKey key = rowsKey(text);
    preset.rowsKey = key.low;
    preset.rowsKeyHigh = key.high;
    preset.contentKey = stableRowsKey(text);
    std::vector<catalogue::RowFacts> facts;
    facts.reserve(doc.params.size());
    for (const document::ParamElement& param : doc.params)
        if (param.placed()) facts.push_back({*param.id, *param.position, *param.value});
    preset.style = catalogue::styleOf(facts);
    if (!doc.firstName) {
        preset.readable = false;
        preset.readProblem = "it has no Name element";
        return;
    }
    preset.name = *doc.firstName;
    preset.readable = true;
    for (const document::ParamElement& param : doc.params) {
        if (!param.whole()) {
            preset.readable = false;
            preset.readProblem = "a Param element lacks one of its five children";
        }
        if (!param.placed()) continue;
        const catalogue::Block* block = catalogue::blockOfRow(*param.id, *param.position);
        if (!block || !isModelBlock(*block)) continue;
        const std::string_view used = modelName(*block, *param.value);
        if (!used.empty() &&
            std::find(preset.uses.begin(), preset.uses.end(), used) == preset.uses.end())
            preset.uses.push_back(used);
    }
}

std::optional<PresetContent> contentOf(std::string_view bytes) {
    const document::ParseResult parsed = document::parsePreset(bytes);
    if (!parsed.ok() || !parsed.document.firstName) return std::nullopt;
    return PresetContent{stableRowsKey(rowsText(parsed.document)), *parsed.document.firstName};
}

}  // namespace pw::library
