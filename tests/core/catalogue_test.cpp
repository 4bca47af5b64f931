// SPDX-License-Identifier: GPL-3.0-or-later
// The effect model catalogue against its transcription in tests/data: every block's
// controls, prompt and parameter ID, and every entry's name and value in display order;
// the models' knobs against model_knobs.tsv, and what a knob's name and value say.

#include <algorithm>
#include <tuple>

#include "catalogue/effect_catalogue.h"
#include "catalogue/model_settings.h"
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
        EXPECT_EQ(b.nameList, x[0]);
        EXPECT_EQ(b.valueList, x[1]);
        EXPECT_EQ(b.prompt, x[2]);
        EXPECT_EQ(b.parameterId, x[3]);
        EXPECT_EQ(b.onlyAtPosition19, x[4] == "19");
        EXPECT_EQ(std::to_string(b.entries.size()), x[5]);
        EXPECT_EQ(b.title, x[6]);
        EXPECT_EQ(blockByList(x[0]), &b);
        EXPECT_EQ(blockOfRow(x[3], x[4] == "-" ? "7" : x[4]), &b);
    }
}

TEST(Catalogue, EntriesMatchTheTranscriptionInOrder) {
    std::vector<std::string> actual;
    for (const Block& b : blocks())
        for (const Entry& e : b.entries)
            actual.push_back(std::string(b.nameList) + "\t" + std::string(e.name) + "\t" +
                             valueText(e));
    std::vector<std::string> expected;
    for (const auto& x : tsv("catalogue.tsv"))
        expected.push_back(x[0] + "\t" + x[1] + "\t" + x[2]);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "entry " << i;
}

TEST(Catalogue, BlockOfRowNeedsTheExactIdAndPosition19ForThePedal) {
    EXPECT_EQ(blockOfRow("8194", "18"), nullptr);
    EXPECT_EQ(blockOfRow("02496", "8"), nullptr);
    EXPECT_EQ(blockOfRow("2496 ", "8"), nullptr);
    EXPECT_EQ(blockOfRow("8195", "19"), nullptr);
    EXPECT_EQ(blockByList("cboamp"), nullptr);
}

// Every knob of model_knobs.tsv is its model's, with its row name, neutral and largest
// value, and its role where the file gives one.
TEST(ModelKnobs, EveryKnobOfTheDataFileIsItsModels) {
    for (const auto& f : tsv("model_knobs.tsv")) {
        const std::int32_t model = std::stoi(f.at(1)), id = std::stoi(f.at(2));
        SCOPED_TRACE(f.at(0) + " " + f.at(1) + " " + f.at(2));
        const auto knobs = settingsOf(f.at(0), model);
        const auto knob =
            std::find_if(knobs.begin(), knobs.end(), [&](const Setting& s) { return s.id == id; });
        ASSERT_NE(knob, knobs.end());
        EXPECT_EQ(knob->block, f.at(0));
        EXPECT_EQ(knob->model, model);
        EXPECT_EQ(knob->name, f.at(5));
        EXPECT_EQ(knob->neutral, std::stoi(f.at(6)));
        EXPECT_EQ(knob->max, std::stoi(f.at(7)));
        if (!f.at(4).empty()) {
            EXPECT_EQ(knob->role, f.at(4));
        }
    }
}

// A knob of a model the table does not know takes its role from its name, as the larger
// models' presets write it; a block's own phrase comes before the shared words.
TEST(ModelKnobs, AnUnknownModelsKnobTakesItsRoleFromItsName) {
    for (auto [block, name, role] : {std::tuple{"Delay", "Delay Repeat Rate", "time"},
                                     {"Delay", "Delay Intensity", "repeats"},
                                     {"Delay", "Delay Echo", "level"},
                                     {"Delay", "Delay Duck Thresh", "ducker threshold"},
                                     {"Delay", "Delay Duck Level", "ducker level"},
                                     {"Compressor", "Compressor Sensitivity", "sustain"},
                                     {"Mod/FX", "Unovibe Intensity", "depth"},
                                     {"Mod/FX", "Envelope Sensitivity", "sensitivity"},
                                     {"Mod/FX", "Chorus Rate", "speed"},
                                     {"Distortion", "Dist Gain", "drive"},
                                     {"Distortion", "Dist Mid Freq", "mid frequency"},
                                     {"Mod/FX", "Pitch Dry Level", "dry level"},
                                     {"Reverb", "Reverb PreDelay", "predelay"},
                                     {"Reverb", "Reverb Decay", "decay"},
                                     {"Reverb", "Reverb Liveliness", "liveliness"},
                                     {"Mod/FX", "Player", ""}})
        EXPECT_EQ(roleOf(block, 0, 0, name), role) << name;
}

// What a knob's Text says for its value: a waveform by name, an interval or detune in
// semitones about the middle, a delay time in milliseconds then seconds, else the number.
TEST(ModelKnobs, AKnobsTextSaysItsValueAsTheDeviceShowsIt) {
    const auto knob = [](std::string_view role, int max) {
        return Setting{"Mod/FX", 0, 0, "", "", role, 0, max};
    };
    for (auto [role, max, value, text] : {std::tuple{"waveform", 2, 0, "Tri"},
                                          {"waveform", 2, 1, "Sine"},
                                          {"waveform", 2, 2, "Square"},
                                          {"waveform", 2, 3, "3"},
                                          {"level", 99, 1, "1"},
                                          {"interval", 48, 12, "-12"},
                                          {"interval", 24, 12, "12"},
                                          {"detune", 48, 30, "6"},
                                          {"time", 109, 0, "10ms"},
                                          {"time", 109, 99, "1000ms"},
                                          {"time", 109, 100, "1.10sec"},
                                          {"time", 109, 109, "2.00sec"},
                                          {"time", 99, 5, "5"}})
        EXPECT_EQ(settingText(knob(role, max), value), text) << role << " " << value;
}

}  // namespace
}  // namespace pw::catalogue
