// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/preset_facts.h"

#include <algorithm>
#include <charconv>

#include "catalogue/effect_catalogue.h"
#include "convert/convert.h"
#include "document/root_names.h"

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

// FNV-1a, 64 bits, over the fields as rowsText lays them out: equal rows give equal
// keys; equality is confirmed apart.
class Fnv1a {
  public:
    void add(std::string_view text) {
        for (const char c : text) {
            hash_ ^= static_cast<unsigned char>(c);
            hash_ *= 0x100000001b3ull;
        }
    }
    void addField(const std::optional<std::string>& field) {
        if (field) add(std::string_view(*field));
        add(std::string_view(field ? "\x1f" : "\x1e"));
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

std::uint64_t rowsKey(const document::PresetDocument& document) {
    Fnv1a hash;
    for (const document::ParamElement& param : document.params) {
        hash.addField(param.id);
        hash.addField(param.position);
        hash.addField(param.value);
        hash.add(std::string_view("\n"));
    }
    return hash.value();
}

}  // namespace

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
    preset.rowsKey = rowsKey(doc);
    if (!doc.firstName) {
        preset.readable = false;
        preset.readProblem = "it has no Name element";
        return;
    }
    preset.name = *doc.firstName;
    preset.readable = true;
    for (const document::ParamElement& param : doc.params) {
        if (!param.id || !param.position || !param.value || !param.name || !param.text) {
            preset.readable = false;
            preset.readProblem = "a Param element lacks one of its five children";
        }
        if (!param.id || !param.position || !param.value) continue;
        const catalogue::Block* block = catalogue::blockOfRow(*param.id, *param.position);
        if (!block || !isModelBlock(*block)) continue;
        const std::string_view used = modelName(*block, *param.value);
        if (!used.empty() &&
            std::find(preset.uses.begin(), preset.uses.end(), used) == preset.uses.end())
            preset.uses.push_back(used);
    }
}

}  // namespace pw::library
