// The built-in effect model catalogue: blocks, entries, values and row matching.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "catalogue/effect_catalogue.h"

namespace pw::catalogue {
namespace {

const Block& blockNamed(std::string_view nameList) {
    const Block* block = blockByList(nameList);
    EXPECT_NE(block, nullptr) << nameList;
    static const Block none{};
    return block ? *block : none;
}

// The value text of the entry with this name in the block, "" when there is none.
std::string pick(std::string_view nameList, std::string_view name) {
    for (const Entry& e : blockNamed(nameList).entries)
        if (e.name == name) return valueText(e);
    return "";
}

TEST(Catalogue, ThirteenBlocksInDialogOrder) {
    struct Expected {
        std::string_view title, nameList, valueList, prompt, parameterId;
        bool only19;
        std::size_t entries;
    };
    const Expected expected[] = {
        {"Amp", "cboAmp", "cboAmpID", "Select Amp Model", "2496", false, 25},
        {"Cabinet", "cboCAB", "cboCABID", "Select CAB Model", "2560", false, 15},
        {"Wah", "cboWah", "cboWahID", "Select Wah Type", "128", false, 3},
        {"Compressor", "cboComp", "cboCompID", "Select Compressor Type", "207", false, 2},
        {"Distortion", "cboDistortion", "cboDistortionID", "Select Distortion Type", "2432", false,
         13},
        {"Noise gate", "cboGate", "cboGateID", "Select Noise Gate", "704", false, 2},
        {"Mod/FX", "cboMOD", "cboMODID", "Select Mod/FX Type", "768", false, 19},
        {"Pedal assignment", "cboPedal", "cboPedalID", "Select Pedal Assignment", "8194", true,
         133},
        {"Delay", "cboDelay", "cboDelayID", "Select Delay Type", "1856", false, 5},
        {"EQ", "cboEQ", "cboEQID", "Select EQ Type", "3202", false, 4},
        {"Reverb", "cboReverb", "cboReverbID", "Select Reverb Type", "1920", false, 6},
        {"Tone library", "cboToneLib", "cboToneLibID", "Select Tone Lib", "8704", false, 31},
        {"FX library", "cboFXLib", "cboFXLibID", "Select FX Lib", "8705", false, 31},
    };
    const auto all = blocks();
    ASSERT_EQ(all.size(), 13u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Expected& x = expected[i];
        const Block& b = all[i];
        EXPECT_EQ(b.title, x.title) << i;
        EXPECT_EQ(b.nameList, x.nameList) << i;
        EXPECT_EQ(b.valueList, x.valueList) << i;
        EXPECT_EQ(b.prompt, x.prompt) << i;
        EXPECT_EQ(b.parameterId, x.parameterId) << i;
        EXPECT_EQ(b.onlyAtPosition19, x.only19) << i;
        EXPECT_EQ(b.entries.size(), x.entries) << i;
        EXPECT_EQ(blockByList(x.nameList), &b) << i;
    }
    EXPECT_EQ(blockByList("cboAmpID"), nullptr);
    EXPECT_EQ(blockByList("cboamp"), nullptr);
    EXPECT_EQ(blockByList(""), nullptr);
}

TEST(Catalogue, ExampleValues) {
    EXPECT_EQ(pick("cboPedal", "DigiTechDeathMetalDistortionHigh"), "395694");
    EXPECT_EQ(pick("cboPedal", "DigiTechGrungeDistortionLoud"), "395673");
    EXPECT_EQ(pick("cboPedal", "Volume PedalPreFX"), "854594");
    EXPECT_EQ(pick("cboPedal", "Volume PedalPostFX"), "1116738");
    EXPECT_EQ(pick("cboPedal", "None"), "0");
    EXPECT_EQ(pick("cboPedal", "Amp Gain"), "526785");
    EXPECT_EQ(pick("cboPedal", "Pickup Enable"), "131137");
    EXPECT_EQ(pick("cboToneLib", "BrightClean"), "1822");
    EXPECT_EQ(pick("cboFXLib", "RotaryAndTapeDelay"), "1886");

    const Block& amp = blockNamed("cboAmp");
    ASSERT_EQ(amp.entries.size(), 25u);
    EXPECT_EQ(amp.entries[24].name, "Direct");
    EXPECT_EQ(amp.entries[24].value, 306);
    EXPECT_EQ(valueText(amp.entries[24]), "306");
    EXPECT_EQ(amp.entries[0].name, "57 Tweed Champ");
    EXPECT_EQ(valueText(amp.entries[0]), "307");
}

TEST(Catalogue, FirstAndLastEntries) {
    struct Edge {
        std::string_view nameList;
        std::string_view firstName;
        std::int32_t firstValue;
        std::string_view lastName;
        std::int32_t lastValue;
    };
    const Edge edges[] = {
        {"cboAmp", "57 Tweed Champ", 307, "Direct", 306},
        {"cboCAB", "Champ 1x8", 571, "Direct", 570},
        {"cboWah", "Cry Wah", 132, "Clyde Wah", 134},
        {"cboComp", "Digi Comp", 195, "CS Comp", 196},
        {"cboDistortion", "Screamer TS9", 1280, "Big MP", 1284},
        {"cboGate", "Gate", 768, "Swell", 769},
        {"cboMOD", "CEChorus", 891, "Harmony", 1345},
        {"cboPedal", "None", 0, "Volume PedalPostFX", 17 * 65536 + 2626},
        {"cboDelay", "Analog", 1046, "Tape", 1049},
        {"cboEQ", "MidBoost", 1472, "Warm", 1475},
        {"cboReverb", "Twin Reverb", 1146, "EMT240 Plate", 1151},
        {"cboToneLib", "Custom", 1792, "BrightClean", 1822},
        {"cboFXLib", "Custom", 1856, "RotaryAndTapeDelay", 1886},
    };
    for (const Edge& e : edges) {
        const Block& b = blockNamed(e.nameList);
        ASSERT_FALSE(b.entries.empty()) << e.nameList;
        EXPECT_EQ(b.entries.front().name, e.firstName) << e.nameList;
        EXPECT_EQ(b.entries.front().value, e.firstValue) << e.nameList;
        EXPECT_EQ(b.entries.back().name, e.lastName) << e.nameList;
        EXPECT_EQ(b.entries.back().value, e.lastValue) << e.nameList;
    }
}

TEST(Catalogue, LibrariesNumberTheirEntriesConsecutively) {
    const Block& tone = blockNamed("cboToneLib");
    const Block& fx = blockNamed("cboFXLib");
    ASSERT_EQ(tone.entries.size(), 31u);
    ASSERT_EQ(fx.entries.size(), 31u);
    for (std::size_t i = 0; i < 31; ++i) {
        EXPECT_EQ(tone.entries[i].value, 1792 + static_cast<std::int32_t>(i)) << i;
        EXPECT_EQ(fx.entries[i].value, 1856 + static_cast<std::int32_t>(i)) << i;
    }
    EXPECT_EQ(tone.entries[10].name, "WarmDrive");
    EXPECT_EQ(fx.entries[17].name, "ChorusAndDelayAndRevrb");
}

TEST(Catalogue, PedalValuesFollowPositionAndId) {
    const Block& pedal = blockNamed("cboPedal");
    ASSERT_EQ(pedal.entries.size(), 133u);
    std::set<std::int32_t> values;
    for (const Entry& e : pedal.entries)
        values.insert(e.value);
    EXPECT_EQ(values.size(), 133u);  // every assignment value distinct

    // Group order: 0, 2, 4, 6, 8, 24, 12, 14, 15, 16, 13, 17.
    const std::int32_t order[] = {0, 2, 4, 6, 8, 24, 12, 14, 15, 16, 13, 17};
    std::size_t group = 0;
    for (const Entry& e : pedal.entries) {
        const std::int32_t position = e.value / 65536;
        while (group < std::size(order) && order[group] != position)
            ++group;
        ASSERT_LT(group, std::size(order)) << e.name << " out of group order";
    }
    std::size_t perPosition[26] = {};
    for (const Entry& e : pedal.entries)
        ++perPosition[e.value / 65536];
    EXPECT_EQ(perPosition[0], 1u);
    EXPECT_EQ(perPosition[2], 2u);
    EXPECT_EQ(perPosition[4], 5u);
    EXPECT_EQ(perPosition[6], 42u);
    EXPECT_EQ(perPosition[8], 3u);
    EXPECT_EQ(perPosition[24], 4u);
    EXPECT_EQ(perPosition[12], 6u);
    EXPECT_EQ(perPosition[14], 54u);
    EXPECT_EQ(perPosition[15], 9u);
    EXPECT_EQ(perPosition[16], 5u);
    EXPECT_EQ(perPosition[13], 1u);
    EXPECT_EQ(perPosition[17], 1u);
}

TEST(Catalogue, NamesUniqueWithinEachBlock) {
    for (const Block& b : blocks()) {
        std::set<std::string_view> names;
        for (const Entry& e : b.entries)
            EXPECT_TRUE(names.insert(e.name).second) << e.name;
        for (const Entry& e : b.entries) {
            EXPECT_GE(e.value, 0) << e.name;
            EXPECT_EQ(valueText(e), std::to_string(e.value));
        }
    }
    // Some names stand in two blocks.
    EXPECT_EQ(pick("cboCAB", "Direct"), "570");
    EXPECT_EQ(pick("cboAmp", "Direct"), "306");
    EXPECT_EQ(pick("cboMOD", "Detune"), "1346");
    EXPECT_EQ(pick("cboPedal", "Detune"), std::to_string(14 * 65536 + 1668));
}

TEST(Catalogue, BlockOfRow) {
    EXPECT_EQ(blockOfRow("2496", "8"), &blockNamed("cboAmp"));
    EXPECT_EQ(blockOfRow("2496", "10"), &blockNamed("cboAmp"));
    EXPECT_EQ(blockOfRow("2560", "9"), &blockNamed("cboCAB"));
    EXPECT_EQ(blockOfRow("128", "3"), &blockNamed("cboWah"));
    EXPECT_EQ(blockOfRow("207", "4"), &blockNamed("cboComp"));
    EXPECT_EQ(blockOfRow("2432", "6"), &blockNamed("cboDistortion"));
    EXPECT_EQ(blockOfRow("704", "12"), &blockNamed("cboGate"));
    EXPECT_EQ(blockOfRow("768", "14"), &blockNamed("cboMOD"));
    EXPECT_EQ(blockOfRow("1856", "15"), &blockNamed("cboDelay"));
    EXPECT_EQ(blockOfRow("3202", "24"), &blockNamed("cboEQ"));
    EXPECT_EQ(blockOfRow("1920", "16"), &blockNamed("cboReverb"));
    EXPECT_EQ(blockOfRow("8704", "0"), &blockNamed("cboToneLib"));
    EXPECT_EQ(blockOfRow("8705", "0"), &blockNamed("cboFXLib"));

    EXPECT_EQ(blockOfRow("8194", "19"), &blockNamed("cboPedal"));
    EXPECT_EQ(blockOfRow("8194", "18"), nullptr);
    EXPECT_EQ(blockOfRow("8194", " 19"), nullptr);
    EXPECT_EQ(blockOfRow("8194", "019"), nullptr);
    EXPECT_EQ(blockOfRow("8194", ""), nullptr);

    EXPECT_EQ(blockOfRow("2497", "8"), nullptr);
    EXPECT_EQ(blockOfRow(" 2496", "8"), nullptr);
    EXPECT_EQ(blockOfRow("2496 ", "8"), nullptr);
    EXPECT_EQ(blockOfRow("02496", "8"), nullptr);
    EXPECT_EQ(blockOfRow("", ""), nullptr);
}

}  // namespace
}  // namespace pw::catalogue
