// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/pack_presets.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "convert/convert.h"
#include "document/csv_field.h"
#include "library/source.h"

namespace pw::library {

namespace {

std::string csvLine(std::initializer_list<std::string_view> cells) {
    std::string line;
    for (std::string_view cell : cells) {
        if (!line.empty()) line += ',';
        line += document::csvField(cell);
    }
    return line + "\n";
}

}  // namespace

PackOutcome packPresets(document::FileWriter& writer, const std::filesystem::path& out,
                        std::span<const Preset* const> presets, const PackOptions& options) {
    PackOutcome outcome;
    std::vector<PackEntry> entries;
    std::string report = csvLine({"file", "member", "name", "packed as", "outcome"});
    for (const Preset* preset : presets) {
        const SourceBytes read = readSource(preset->source);
        std::string what = "packed", name(baseName(preset->source)), bytes = read.bytes;
        if (!read.ok || !preset->readable) {
            what = "left out: " + (read.ok ? preset->readProblem : read.problem);
        } else if (options.target) {
            convert::Plan plan;
            plan.target = options.target;
            plan.amp = options.amp;
            plan.resolve = true;
            plan.fixNames = true;
            const convert::Result r = convert::convertPreset(read.bytes, plan);
            if (r.savable()) {
                name = r.fileName;
                bytes = r.bytes;
                what = "converted";
            } else {
                what = "left out: not convertible for the " + std::string(options.target->caption);
            }
        }
        const bool in = what == "packed" || what == "converted";
        if (in) {
            entries.push_back({name, std::move(bytes)});
            ++outcome.packed;
        } else {
            ++outcome.left;
        }
        report += csvLine({preset->source.file, preset->source.member, preset->name,
                           in ? safeMemberName(name) : "", what});
    }
    outcome.written = writePack(writer, out, entries, report);
    return outcome;
}

}  // namespace pw::library
