// SPDX-License-Identifier: GPL-3.0-or-later
// The effect model catalogue against its transcription in tests/data: every block's
// controls, prompt and parameter ID, and every entry's name and value in display order;
// the models' knobs against model_knobs.tsv, and what a knob's name and value say.

#include <map>
#include <tuple>

#include "catalogue/effect_catalogue.h"
#include "catalogue/model_settings.h"
#include "document/targets.h"
#include "filter/resolve.h"
#include "test_support.h"

namespace pw::catalogue {
namespace {

using pwtest::tsv;

TEST(Catalogue, BlocksMatchTheTranscription) {
    const auto expected = tsv("catalogue_blocks.tsv");
    ASSERT_EQ(blocks().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Block& b = blocks()[i];
        const auto& x = expected[i];
        EXPECT_EQ(std::tuple(b.nameList, b.valueList, b.prompt, b.parameterId, b.title,
                             b.onlyAtPosition19, std::to_string(b.entries.size())),
                  std::tuple(x[0], x[1], x[2], x[3], x[6], x[4] == "19", x[5]));
        EXPECT_TRUE(blockByList(x[0]) == &b && blockOfRow(x[3], x[4] == "-" ? "7" : x[4]) == &b);
    }
}

TEST(Catalogue, EntriesMatchTheTranscriptionInOrder) {
    std::vector<std::string> actual, expected;
    for (const Block& b : blocks())
        for (const Entry& e : b.entries)
            actual.push_back(std::string(b.nameList) + "\t" + std::string(e.name) + "\t" +
                             valueText(e));
    for (const auto& x : tsv("catalogue.tsv"))
        expected.push_back(x[0] + "\t" + x[1] + "\t" + x[2]);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "entry " << i;
}

TEST(Catalogue, BlockOfRowNeedsTheExactIdAndPosition19ForThePedal) {
    for (const auto& [id, position] :
         {std::pair{"8194", "18"}, {"02496", "8"}, {"2496 ", "8"}, {"8195", "19"}})
        EXPECT_EQ(blockOfRow(id, position), nullptr) << id << " at " << position;
    EXPECT_EQ(blockByList("cboamp"), nullptr);
}

// Every knob of model_knobs.tsv is its model's, with its row name, neutral and largest
// value, and its role where the file gives one.
TEST(ModelKnobs, EveryKnobOfTheDataFileIsItsModels) {
    for (const auto& f : tsv("model_knobs.tsv")) {
        const std::int32_t model = std::stoi(f.at(1)), id = std::stoi(f.at(2));
        SCOPED_TRACE(f.at(0) + " " + f.at(1) + " " + f.at(2));
        const auto knobs = settingsOf(f.at(0), model);
        const auto knob = std::ranges::find(knobs, id, &Setting::id);
        ASSERT_NE(knob, knobs.end());
        EXPECT_EQ(std::tuple(knob->block, knob->model, knob->name, knob->neutral, knob->max),
                  std::tuple(f.at(0), model, f.at(5), std::stoi(f.at(6)), std::stoi(f.at(7))));
        EXPECT_EQ(f.at(4).empty() ? f.at(4) : std::string(knob->role), f.at(4));  // if given
    }
}

// Every knob as a conversion writes it, one line each: what completing a model adds and
// how its neutral and largest values read (golden/all_knobs.txt, to be read when the
// table changes; model_knobs.tsv pins the substitutes' knobs apart from it).
TEST(ModelKnobs, EveryKnobAsAConversionWritesIt) {
    std::string said;
    for (const Setting& s : allSettings())
        said += std::string(s.block) + " " + std::to_string(s.model) + ": " + std::string(s.name) +
                " (" + std::to_string(s.id) + ", " + std::string(s.label) + ", " +
                std::string(s.role) + ") neutral " + settingText(s, s.neutral) + ", largest " +
                settingText(s, s.max) + "\n";
    EXPECT_EQ(said, pwtest::golden("golden/all_knobs.txt", said));
}

// A knob's row name ends with its label, and the two ways to its role agree: a knob of the
// table whose name's words give a role ("Step Filter Speed": speed, not the filter's tone)
// is given the table's own role by them; its ID gives it whatever its name.
TEST(ModelKnobs, AKnobsNameEndsWithItsLabelAndItsWordsGiveTheTablesRoleOrNone) {
    std::size_t named = 0;
    for (const Setting& s : allSettings()) {
        EXPECT_TRUE(s.name == s.label || s.name.ends_with(" " + std::string(s.label))) << s.name;
        const std::string_view byWords = roleOf(s.block, 0, 0, s.name);
        named += !byWords.empty();
        EXPECT_EQ(byWords.empty() ? s.role : byWords, s.role) << s.name;
        EXPECT_EQ(roleOf(s.block, s.model, s.id, "Unnamed"), s.role) << s.name;  // by its ID
    }
    EXPECT_GT(named, allSettings().size() / 2);
}

// A knob ID is one knob wherever it is found: the same name, label, role, neutral and
// largest value for every model that has it (the delays share Time, the choruses Speed);
// and each knob's model is one the largest model knows in that block.
TEST(ModelKnobs, AnIdIsOneKnobForEveryModelThatHasIt) {
    std::map<std::int32_t, const Setting*> first;
    for (const Setting& s : allSettings()) {
        const auto b = std::ranges::find(blocks(), s.block, &Block::title);
        ASSERT_NE(b, blocks().end()) << s.block;
        EXPECT_TRUE(filter::targetKnowsModel(*b, s.model, *document::targetByCaption("RP355")))
            << s.block << " " << s.model;
        const Setting& f = *first.emplace(s.id, &s).first->second;
        EXPECT_EQ(std::tie(s.name, s.label, s.role, s.neutral, s.max),
                  std::tie(f.name, f.label, f.role, f.neutral, f.max))
            << s.model << " " << s.id;
    }
    EXPECT_LT(first.size(), allSettings().size() * 3 / 4);  // many IDs are shared
}

// A knob of a model the table does not know takes its role from its name, as the larger
// models' presets write it; a knob's Text says its value as the device shows it: a
// waveform by name, an interval or detune in semitones about the middle, a delay time in
// milliseconds then seconds, else the number (tests/data/knob_words.tsv).
TEST(ModelKnobs, AKnobsNameGivesItsRoleAndItsTextSaysItsValue) {
    const auto lines = tsv("knob_words.tsv");
    for (const auto& f : lines) {
        SCOPED_TRACE(f.at(1) + " " + f.at(2));
        if (f.at(0) == "role")
            EXPECT_EQ(roleOf(f.at(1), 0, 0, f.at(2)), f.at(3) == "-" ? "" : f.at(3));
        else
            EXPECT_EQ(settingText(Setting{"Mod/FX", 0, 0, "", "", f.at(1), 0, std::stoi(f.at(2))},
                                  std::stoi(f.at(3))),
                      f.at(4));
    }
    EXPECT_GT(lines.size(), 20u);
}

}  // namespace
}  // namespace pw::catalogue
