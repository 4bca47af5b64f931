// SPDX-License-Identifier: GPL-3.0-or-later
// A preset's style, on presets whose style a guitarist names at a glance
// (tests/data/styles: each preset, and the style in expected.tsv).

#include <map>
#include <set>

#include "catalogue/preset_style.h"
#include "document/preset_document.h"
#include "test_support.h"

namespace {

std::string styleOfFile(const std::string& file) {
    const auto parsed = pw::document::parsePreset(pwtest::sample("styles/" + file));
    std::vector<pw::catalogue::RowFacts> rows;
    for (const pw::document::ParamElement& p : parsed.document.params)
        if (p.id && p.position && p.value) rows.push_back({*p.id, *p.position, *p.value});
    return pw::catalogue::styleOf(rows);
}

TEST(PresetStyle, IsWhatAGuitaristCallsIt) {
    const auto expected = pwtest::tsv("styles/expected.tsv");
    ASSERT_GE(expected.size(), 10u);
    for (const auto& line : expected)
        EXPECT_EQ(styleOfFile(line.at(0)), line.at(1)) << line.at(0);
}

// The characters a style is made of are those tests/data/characters.tsv gives the
// models (written apart from the code), wherever the style's table names one.
TEST(PresetStyle, ModelCharactersAgreeWithTheCharactersOfTheModels) {
    std::size_t named = 0;
    std::set<std::string> blocks;      // that the style's table speaks of
    std::vector<std::string> unnamed;  // models it leaves out
    for (const auto& row : pwtest::tsv("characters.tsv")) {
        if (row.at(1).find(':') != std::string::npos) continue;  // a pedal's target
        const auto said = pw::catalogue::modelCharacter(row.at(0), std::stoi(row.at(1)));
        if (said.empty()) {
            unnamed.push_back(row.at(0) + " " + row.at(2));
            continue;
        }
        ++named;
        blocks.insert(row.at(0));
        // A style speaks of modulation and filters as a whole.
        const std::map<std::string, std::string> coarser = {
            {"chorus", "modulated"},  {"flanger", "modulated"}, {"phaser", "modulated"},
            {"tremolo", "modulated"}, {"vibe", "modulated"},    {"filter", "wah"}};
        const auto found = coarser.find(row.at(3));
        // A detuner thickens the sound as a chorus does: to a style it is modulation.
        const std::string want = row.at(2) == "Detune"    ? "modulated"
                                 : found == coarser.end() ? row.at(3)
                                                          : found->second;
        EXPECT_EQ(said, want) << row.at(0) << " " << row.at(2);
    }
    EXPECT_GT(named, 40u);
    // A block the style speaks of, it speaks of whole.
    for (const std::string& model : unnamed)
        EXPECT_FALSE(blocks.contains(model.substr(0, model.find(' ')))) << model;
}

}  // namespace
